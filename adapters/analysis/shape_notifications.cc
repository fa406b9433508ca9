// Shape changes reported by the service, turned into page events.
#include <cstdint>
#include <string>

#include "adapters/analysis/shape_values.h"
#include "adapters/analysis/shape_vocabulary.h"
#include "adapters/analysis/video_analyse.h"
#include "adapters/live/event_params.h"
#include "adapters/live/page_event.h"
#include "adapters/live/protocol2.h"
#include "runtime/json_text.h"

namespace Shimwell {

namespace {

// The marked name under which the region clip adapter draws its region.
constexpr char kClipShapeName[] = "clipShape";

}  // namespace

void CVideoAnalyse::OnVideoAnalyzeConfig(const Json::Value& params) {
  // Nothing here throws: members of an unexpected kind read as empty, 0 or
  // left out, and "params" that is no object has no members.
  const Json::Value& members = params.isObject() ? params : Json::Value::nullSingleton();
  const std::string marked_name = ParamTextOrEmpty(members, "markedName");
  if (marked_name == kClipShapeName) {
    const TwoPointRect rect = ReadTwoPointRect(members["data"]);
    FirePageEvent(hostContext, "RegionChanged",
                  {EventArg::Int(0), EventArg::Int(rect.x1), EventArg::Int(rect.y1),
                   EventArg::Int(rect.x2), EventArg::Int(rect.y2)});
    return;
  }
  Json::Value shape(Json::objectValue);
  shape["ShapeName"] = TranslateExactly(marked_name, PageShapeKeys(pixelCountName, polygonName));
  shape["ShapeID"] = ReadDecimal(ParamTextOrEmpty(members, "shapeID"));
  std::int32_t state = 0;
  if (ReadInt32(members["preState"], &state)) shape["PreShapeState"] = state;
  if (ReadInt32(members["curState"], &state)) shape["ShapeState"] = state;
  const Json::Value document =
      Members({{"EventName", ParamTextOrEmpty(members, "eventName")}, {"EventParam", shape}});
  FirePageEvent(hostContext, "VideoAnalyzeConfig", {EventArg::Text(Foundation::WriteStyled(document))});
}

}  // namespace Shimwell
