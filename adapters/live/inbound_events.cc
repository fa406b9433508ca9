// The live-view adapter's inbound Protocol2 events and the page events they fire.
#include "adapters/live/inbound_event_row.h"
#include "adapters/live/shimwell.h"

#include <utility>

namespace Shimwell {

namespace {

ArgSpec Int(const char* name) { return {ArgSpec::kInt, name, 0}; }
ArgSpec Real(const char* name) { return {ArgSpec::kReal, name, 0}; }
ArgSpec Bool(const char* name) { return {ArgSpec::kBool, name, 0}; }
ArgSpec Text(const char* name) { return {ArgSpec::kText, name, 0}; }
ArgSpec TextOrEmpty(const char* name) { return {ArgSpec::kTextOrEmpty, name, 0}; }
ArgSpec AfterBackslash(const char* name) { return {ArgSpec::kAfterLastBackslash, name, 0}; }
ArgSpec Styled(const char* name) { return {ArgSpec::kStyled, name, 0}; }
ArgSpec Const(std::int32_t value) { return {ArgSpec::kConstInt, nullptr, value}; }
ArgSpec ConstText(const char* text) { return {ArgSpec::kConstText, text, 0}; }
ArgSpec EmptyText() { return {ArgSpec::kEmptyText, nullptr, 0}; }

InboundEventRow Row(const char* inbound, const char* page_event, std::vector<ArgSpec> args) {
  return {inbound, page_event, std::move(args), nullptr};
}

InboundEventRow Own(const char* inbound, void (CShimwell::*handler)(const Json::Value&)) {
  return {inbound, nullptr, {}, handler};
}

std::vector<ArgSpec> Region() {
  return {Int("index"), Int("left"), Int("top"), Int("right"), Int("bottom")};
}

}  // namespace

const std::vector<InboundEventRow>& LiveInboundEvents() {
  static const std::vector<InboundEventRow> rows = {
      Row("LocalEnlargingCancelled", "RButtonDown", {Int("state")}),
      Row("SelectedFileInfo", "FileDialogInfo",
          {AfterBackslash("FileName"), Text("FileName"), Text("Accepts")}),
      Row("SelectedDirectory", "FileDialogInfo", {EmptyText(), Text("PathName"), EmptyText()}),
      Row("FocusStatus", "FocusZoomStatus", {Real("focus"), Real("zoom"), TextOrEmpty("focusStatus")}),
      Row("ManualLocate", "RegionChanged", Region()),
      Row("PTZLocate", "RegionChanged", Region()),
      Row("SelectLocolFocusRegion", "LocalFocus",
          {Const(0), Int("left"), Int("top"), Int("right"), Int("bottom")}),
      Own("ConfigFileExported", &CShimwell::OnConfigFileExported),
      Own("ConfigFileImported", &CShimwell::OnConfigFileImported),
      Row("MeasureDistance", "MousePtzEvent",
          {Int("winID"), Const(0), Int("x"), Int("y"), Const(0), Const(0), Const(0)}),
      Row("SuperRegionDataChangeded", "RegionChanged", Region()),
      Row("ResolutionChange", "ResolutionChange", {Int("width"), Int("height")}),
      Row("JpegVideoJoinInfo", "JpegVideoJoinInfo",
          {Bool("result"), Text("pano"), Text("dist"), Text("pic")}),
      Row("MotionDetectConfig", "OutPutStringInfo", {ConstText("MotionDetect"), Text("info")}),
      Own("SnapOnePictureResult", &CShimwell::OnSnapOnePictureResult),
      Own("RealTimeVideoException", &CShimwell::OnRealTimeVideoException),
      Row("RecordDiskFull", "RecordDiskFull", {}),
      Row("WorkSuitInfoRegister", "WorkSuitInfoRegister",
          {Text("Tag"), Int("Status"), Text("FileName")}),
      Row("WorkSuitRegPicNum", "WorkSuitRegPicNum", {Int("num"), Int("status")}),
      Row("KeepRegionInfo", "KeepRegionInfo",
          {Int("left"), Int("top"), Int("right"), Int("bottom")}),
      Row("FDPictureUrl", "FDPictureUrl", {Text("info")}),
      Row("HumanTrait", "HumanTrait", {Styled("info")}),
      Row("TrafficJunction", "TrafficJunction", {Styled("info")}),
      Row("FRPictureUrl", "FRPictureUrl", {Text("info")}),
      Own("HeatMapStatus", &CShimwell::OnHeatMapStatus),
      Row("FeInstallMode", "FeInstallMode", {Int("installMode")}),
      Row("SplitMode", "SplitMode", {Styled("data")}),
  };
  return rows;
}

}  // namespace Shimwell
