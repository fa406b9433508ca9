// The live-view page methods, published in the order the page expects them.
#include "adapters/live/shimwell.h"
#include "runtime/com_method.h"

namespace Shimwell {

using Foundation::MakeComMethod;

void CShimwell::PublishPageMethods() {
  using C = CShimwell;
  // "ControlTalking" has two forms; the page sees both under one name.
  using TalkWithFormat = bool (C::*)(int, int, const char*, bool);
  using TalkByFlag = bool (C::*)(int);
  Publish("LoginDeviceEx", MakeComMethod(this, &C::LoginDeviceEx, {"ip", "port", "username", "password", "specCap"}));
  Publish("ConnectRealVideo", MakeComMethod(this, &C::ConnectRealVideo, {"channel", "stream"}));
  Publish("SetFullScreenMode", MakeComMethod(this, &C::SetFullScreenMode, {"fullscreen"}));
  Publish("OnFullScreenClk", MakeComMethod(this, &C::OnFullScreenClk, {}));
  Publish("SubVideoWndCtrl", MakeComMethod(this, &C::SubVideoWndCtrl, {"style", "state"}));
  Publish("SetVideoWndNum", MakeComMethod(this, &C::SetVideoWndNum, {"num"}));
  Publish("ControlTalking", MakeComMethod(this, TalkWithFormat{&C::ControlTalking}, {"sampleRate", "depth", "encode", "enable"}));
  Publish("ControlTalking", MakeComMethod(this, TalkByFlag{&C::ControlTalking}, {"flag"}));
  Publish("CatchPicture", MakeComMethod(this, &C::CatchPicture, {"format", "path"}));
  Publish("GetPlayedTime", MakeComMethod(this, &C::GetPlayedTime, {"playerId"}));
  Publish("RecordVideo", MakeComMethod(this, &C::RecordVideo, {"path", "format", "enable"}));
  Publish("SetColor", MakeComMethod(this, &C::SetColor, {"regionIndex", "brightness", "contrast", "saturation", "hue"}));
  Publish("PartialEnlarged", MakeComMethod(this, &C::PartialEnlarged, {"enable"}));
  Publish("SetAutoAFEnable", MakeComMethod(this, &C::SetAutoAFEnable, {"enable"}));
  Publish("CheckFuncSupport", MakeComMethod(this, &C::CheckFuncSupport, {"funcType"}));
  Publish("WriteFile", MakeComMethod(this, &C::WriteFile, {"path", "buffer", "mode"}));
  Publish("ShowFileBrowse", MakeComMethod(this, &C::ShowFileBrowse, {}));
  Publish("ShowOpen", MakeComMethod(this, &C::ShowOpen, {}));
  Publish("ShowSave", MakeComMethod(this, &C::ShowSave, {}));
  Publish("SetFilter", MakeComMethod(this, &C::SetFilter, {"filter"}));
  Publish("SetFilename", MakeComMethod(this, &C::SetFilename, {"filename"}));
  Publish("GetConfigPath", MakeComMethod(this, &C::GetConfigPath, {"type"}));
  Publish("SetConfigPath", MakeComMethod(this, &C::SetConfigPath, {"type", "path"}));
  Publish("SetShowMode", MakeComMethod(this, &C::SetShowMode, {"mode"}));
  Publish("SetAntiAliasMode", MakeComMethod(this, &C::SetAntiAliasMode, {"mode"}));
  Publish("PostOneHttpRequest", MakeComMethod(this, &C::PostOneHttpRequest, {"url", "fileName", "contentType", "sessionID", "event"}));
  Publish("RequestOneCGIInteraction", MakeComMethod(this, &C::RequestOneCGIInteraction, {"url", "fileName", "event"}));
  Publish("SetMouseDrawEnable", MakeComMethod(this, &C::SetMouseDrawEnable, {"enable"}));
  Publish("SetTranslateString", MakeComMethod(this, &C::SetTranslateString, {"str"}));
  Publish("SetShowMultiScreenMode", MakeComMethod(this, &C::SetShowMultiScreenMode, {"mode"}));
  Publish("StartJpegVideoJoin", MakeComMethod(this, &C::StartJpegVideoJoin, {"channel"}));
  Publish("SnapOnePicture", MakeComMethod(this, &C::SnapOnePicture, {"path", "format", "flag"}));
  Publish("ShowImageInWindow", MakeComMethod(this, &C::ShowImageInWindow, {"Path", "enable"}));
  Publish("SetLensInfoEx", MakeComMethod(this, &C::SetLensInfoEx, {"info"}));
  Publish("ActiveCrowdDistriMap", MakeComMethod(this, &C::ActiveCrowdDistriMap, {"enable", "winID"}));
  Publish("ShowRuleState", MakeComMethod(this, &C::ShowRuleState, {"enable"}));
  Publish("SetConfig", MakeComMethod(this, &C::SetConfig, {"name", "table"}));
  Publish("StartRecvFacePic", MakeComMethod(this, &C::StartRecvFacePic, {}));
  Publish("SetFeShowMode", MakeComMethod(this, &C::SetFeShowMode, {"mode"}));
  Publish("CreateAiHeatMap", MakeComMethod(this, &C::CreateAiHeatMap, {"begTime", "endTime", "type", "ptzID"}));
  Publish("CreateAIHeatMap", MakeComMethod(this, &C::CreateAiHeatMap, {"begTime", "endTime", "type", "ptzID"}));
}

}  // namespace Shimwell
