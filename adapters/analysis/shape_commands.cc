// The container and the shape commands: each sends one request in the
// container, a few follow it with a request that clears the container's tip,
// and three answer with a constant.
#include <cstdint>

#include "adapters/analysis/video_analyse.h"
#include "adapters/live/protocol2.h"
#include "runtime/format_decimal.h"

namespace Shimwell {

Json::Value CVideoAnalyse::ShapeNumber(long shape_id) {
  return Foundation::FormatDecimal(static_cast<std::int32_t>(shape_id));
}

Json::Value CVideoAnalyse::InContainer(Json::Value members) const {
  members["containerID"] = containerId;
  return members;
}

bool CVideoAnalyse::Ask(const char* method, const Json::Value& members) {
  return Exchange<bool>(hostContext, method, InContainer(members), Read::kGuarded);
}

bool CVideoAnalyse::AskAboutShape(const char* method, long shape_id, Json::Value members) {
  members["shapeID"] = ShapeNumber(shape_id);
  return Ask(method, members);
}

bool CVideoAnalyse::ClearTipIf(bool result) {
  if (result) Notify(hostContext, "SetVideoAnalyseContainerTip", InContainer(Members({{"tip", ""}})));
  return result;
}

bool CVideoAnalyse::EnableVideoAnalyseModule(bool flag) {
  // Created once: a failed creation throws before containerId is set, so the
  // next call tries again.
  if (containerId.empty()) {
    containerId = Exchange<std::string>(hostContext, "CreateVideoAnalyseContainer", Json::Value(),
                                        Read::kUnguarded);
  }
  return Ask("EnableVideoAnalyseContainer", Members({{"flag", flag}}));
}

bool CVideoAnalyse::DeleteVideoAnalyseShape(long shape_id) {
  return ClearTipIf(AskAboutShape("DeleteVideoAnalyseShape", shape_id, Json::Value()));
}

bool CVideoAnalyse::SelectVideoAnalyseShape(long shape_id, bool flag) {
  const bool result = AskAboutShape("SelectVideoAnalyseShape", shape_id, Members({{"flag", flag}}));
  // Only a shape that is no longer selected takes its tip along.
  return flag ? result : ClearTipIf(result);
}

bool CVideoAnalyse::DeleteAllVideoAnalyseShape() {
  return ClearTipIf(Ask("DeleteAllVideoAnalyseShape", Json::Value()));
}

bool CVideoAnalyse::EnableVideoAnalyseShape(long shape_id, bool flag) {
  return AskAboutShape("EnableVideoAnalyseShape", shape_id, Members({{"flag", flag}}));
}

bool CVideoAnalyse::RedrawVideoAnalyseShape(long shape_id) {
  return AskAboutShape("RedrawVideoAnalyseShape", shape_id, Json::Value());
}

bool CVideoAnalyse::SetVideoAnalyseShapeShowName(long shape_id, const char* name) {
  return AskAboutShape("SetVideoAnalyseShapeShowName", shape_id, Members({{"name", name}}));
}

bool CVideoAnalyse::SetVideoAnalyseShapeMaxPtNum(long /*shape_id*/, int /*max_pt_num*/,
                                                 int /*min_pt_num*/) {
  return true;
}

bool CVideoAnalyse::ShowVideoAnalyseShape(long shape_id, bool flag) {
  return AskAboutShape("ShowVideoAnalyseShape", shape_id, Members({{"flag", flag}}));
}

long CVideoAnalyse::GetSelectedVideoAnalyseShapeID() { return -1; }

bool CVideoAnalyse::SelectCurVideoAnalyseShape(long /*shape_id*/, bool /*flag*/) { return false; }

bool CVideoAnalyse::SetVideoAnalyseShapeDirection(long shape_id, int direction) {
  return AskAboutShape("SetVideoAnalyseShapeDirection", shape_id, Members({{"direction", direction}}));
}

bool CVideoAnalyse::SetVideoAnalyseContainerTip(long /*win_id*/, const char* tip) {
  return Ask("SetVideoAnalyseContainerTip", Members({{"tip", tip}}));
}

bool CVideoAnalyse::SetAdjustBoxbShow(long /*shape_id*/, bool flag) {
  return Ask("SetHaveAdjustBox", Members({{"flag", flag}}));
}

bool CVideoAnalyse::SetVideoAnalyseShapeColor(long shape_id, int red, int green, int blue, bool sel) {
  return AskAboutShape("SetVideoAnalyseShapeColor", shape_id,
                       Members({{"red", red}, {"green", green}, {"blue", blue}, {"sel", sel}}));
}

}  // namespace Shimwell
