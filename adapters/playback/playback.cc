// The playback adapter's life: factory, look-ups, signals, publishing, and
// its place in the live-view adapter's inbound table.
#include "adapters/playback/playback.h"

#include "adapters/live/host_calls.h"
#include "runtime/com_method.h"
#include "runtime/module_registry.h"

namespace Shimwell {

using OrvikComponentInterface::HostContext;
using Foundation::MakeComMethod;
using fastdelegate::MakeDelegate;

CPlayback::CPlayback(HostContext* host_context) : hostContext(host_context) {
  ConnectStartSignals(hostContext, this);
}

void CPlayback::Create(HostContext* host_context, void* /*unused*/) {
  RegisterAdapter<CPlayback>(host_context, "class Shimwell::CPlayback");
}

void CPlayback::OnInterfaceInstantiation() {
  using namespace OrvikComponentInterface;
  displayMgrSet = QueryShared<IMultiNodeDisplayMgrSet>(hostContext, kDisplayMgrSetName);
  playerMgrSet = QueryShared<IPlayerMgrSet>(hostContext, kPlayerMgrSetName);
  deviceManagerSet = QueryShared<IDeviceManagerSet>(hostContext, kDeviceManagerSetName);
  customerInfoSet = QueryShared<ICustomerInfoSet>(hostContext, kCustomerInfoSetName);
  liveAdapter.Hold(QueryShared<CShimwell>(hostContext, "class Shimwell::CShimwell"));
}

void CPlayback::OnImplComLoaded() {
  ConnectSignal(hostContext, "WebTypeSignal", MakeDelegate(this, &CPlayback::OnWebType));
}

void CPlayback::OnWebType() {
  if (!IsWeb30Page(customerInfoSet)) return;
  using C = CPlayback;
  Publish("DownloadByTimeEx", MakeComMethod(this, &C::DownloadByTimeEx, {"nRecordFileType", "beginTime", "endTime", "savedFileName", "format", "fileInfo"}));
  Publish("GetPlaybackMsg", MakeComMethod(this, &C::GetPlaybackMsg, {"lcmd"}));
  Publish("DownloadByRecordFile", MakeComMethod(this, &C::DownloadByRecordFile, {"fileInfo", "saveName", "format"}));
  Publish("StopDownload", MakeComMethod(this, &C::StopDownload, {"requestID"}));
  Publish("DownloadByRecordFileEx", MakeComMethod(this, &C::DownloadByRecordFileEx, {"fileInfo", "saveName", "format"}));
  Publish("SingleFramePlayBack", MakeComMethod(this, &C::SingleFramePlayBack, {}));
  Publish("PlaySetVolume", MakeComMethod(this, &C::PlaySetVolume, {"volume"}));
  liveAdapter.Join();
}

void CPlayback::Publish(const char* name, Foundation::IComInterface* method) {
  PublishPageMethod(hostContext, name, method);
}

}  // namespace Shimwell

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(Shimwell::CPlayback::Create, Foundation::kPlaybackOrder);
