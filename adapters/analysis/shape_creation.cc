// Shape creation and configuration read-back: the page's shape vocabulary
// is translated into the service's on the way out and back on the way in.
#include <cstdint>
#include <string>
#include <utility>

#include "adapters/analysis/shape_values.h"
#include "adapters/analysis/shape_vocabulary.h"
#include "adapters/analysis/video_analyse.h"
#include "adapters/live/protocol2.h"
#include "runtime/any_cast.h"
#include "runtime/json_text.h"

namespace Shimwell {

namespace {

// [a, b], exact even where a difference of two 32-bit numbers does not fit one.
Json::Value NumberPair(std::int64_t a, std::int64_t b) {
  Json::Value pair(Json::arrayValue);
  pair.append(Json::Int64{a});
  pair.append(Json::Int64{b});
  return pair;
}

std::int64_t Distance(std::int32_t from, std::int32_t to) {
  const std::int64_t difference = std::int64_t{to} - from;
  return difference < 0 ? -difference : difference;
}

// A sub-shape's data as the service reads it.  The two-point rectangle of a
// "DRectSmall" or "DRectBig" becomes a document holding only its size, as
// "Rectangle"; any other data gets its first "Rect" renamed.
std::string SubShapeData(const std::string& marked_name, const std::string& data) {
  Json::Value document;
  if (!data.empty() && IsTwoPointRectName(marked_name) && ParseJsonText(data, &document, false)) {
    const TwoPointRect rect = ReadTwoPointRect(MemberOrNull(document, marked_name.c_str()));
    return Foundation::WriteStyled(
        Members({{"Rectangle", NumberPair(Distance(rect.x1, rect.x2), Distance(rect.y1, rect.y2))}}));
  }
  return ReplaceFirstKey(data, SubShapeKeys());
}

// The read-back reply with the "PixelRectangle" of its configuration turned
// from two points into the pair of the second point, the whole rewritten in
// the styled layout.  A reply without a second point to take (no such
// member, null, or already a pair of numbers) comes back as it was.
std::string WithPixelSizePair(const std::string& reply) {
  Json::Value root;
  if (!ParseJsonText(reply, &root, true)) return reply;
  // Only a text "result" can hold a configuration document: the text of any
  // other value is no JSON object.
  const Json::Value& result = MemberOrNull(root, "result");
  Json::Value config;
  if (!result.isString() || !ParseJsonText(result.asString(), &config, true)) return reply;
  const Json::Value& pixels = MemberOrNull(config, "PixelRectangle");
  if (!ElementOrNull(pixels, 1).isArray()) return reply;
  const TwoPointRect rect = ReadTwoPointRect(pixels);
  config["PixelRectangle"] = NumberPair(rect.x2, rect.y2);
  root["result"] = Foundation::WriteStyled(config);
  return Foundation::WriteStyled(root);
}

}  // namespace

long CVideoAnalyse::CreateShape(const char* method, Json::Value members) {
  return ReadDecimal(
      Exchange<std::string>(hostContext, method, InContainer(std::move(members)), Read::kUnguarded));
}

long CVideoAnalyse::CreateMainVideoAnalyseShape(long /*win_id*/, const char* event_name,
                                                const char* shape_type, const char* maked_name,
                                                const char* data, const char* param) {
  const SentShape shape = TranslateShapeType(shape_type, maked_name);
  if (shape.stores == StoredName::kPixelCount) pixelCountName = shape.marked_name;
  if (shape.stores == StoredName::kPolygon) polygonName = shape.marked_name;
  return CreateShape("CreateMainVideoAnalyseShape",
                     Members({{"eventName", event_name},
                              {"shapeType", shape.type},
                              {"markedName", shape.marked_name},
                              {"data", ReplaceFirstKey(data, MainShapeDataKeys(pixelCountName, polygonName))},
                              {"param", param}}));
}

long CVideoAnalyse::AddSubVideoAnalyseShape(long main_shape_id, const char* marked_name,
                                            const char* data, const char* param) {
  return CreateShape("AddSubVideoAnalyseShape",
                     Members({{"mainShapeID", ShapeNumber(main_shape_id)},
                              {"markedName", TranslateExactly(marked_name, SubShapeKeys())},
                              {"data", SubShapeData(marked_name, data)},
                              {"param", param}}));
}

const char* CVideoAnalyse::GetVideoAnalyseShapeConfigData(long shape_id) {
  const std::string reply = SendProtocol2Request(
      hostContext, Protocol2Request("GetVideoAnalyseShapeConfigData",
                                    InContainer(Members({{"shapeID", ShapeNumber(shape_id)}}))));
  const std::string page_reply =
      ReplaceFirstKey(WithPixelSizePair(reply), PageShapeKeys(pixelCountName, polygonName));
  configText = Foundation::AnyCast<std::string>(ParseReply(page_reply));
  return configText.c_str();
}

}  // namespace Shimwell
