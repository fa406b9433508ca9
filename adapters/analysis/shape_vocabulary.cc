#include "adapters/analysis/shape_vocabulary.h"

#include <algorithm>
#include <iterator>

namespace Shimwell {

namespace {

struct ShapeTypeRule {
  const char* page_type;    // matched exactly
  const char* sent_type;
  const char* marked_name;  // replaces the marked name; null keeps it
  StoredName stores;
};

// A vertical line becomes a "LineShape" first and then, by the next rule, a
// "TarrowLineShape"; a horizontal line comes after that rule and stays a
// "LineShape".
constexpr ShapeTypeRule kShapeTypeRules[] = {
    {"VerticalLineShape", "LineShape", "Vertical", StoredName::kNone},
    {"LineShape", "TarrowLineShape", nullptr, StoredName::kNone},
    {"XLineShape", "TarrowLineShape", nullptr, StoredName::kNone},
    {"HorizontalLineShape", "LineShape", "Horizontal", StoredName::kNone},
    {"DRectBigSmallShape", "BigSmallFilterBox", nullptr, StoredName::kNone},
    {"PixelCountShape", "PixelRectangle", nullptr, StoredName::kPixelCount},
    {"Polygon", "Polygon", nullptr, StoredName::kPolygon},
};

constexpr const char* kTwoPointRectNames[] = {"DRectSmall", "DRectBig"};

}  // namespace

std::string ReplaceFirstKey(std::string text, const KeyTable& table) {
  for (const KeyReplacement& row : table) {
    if (row.key.empty()) continue;
    const std::string::size_type at = text.find(row.key);
    if (at == std::string::npos) continue;
    text.replace(at, row.key.size(), row.replacement);
    break;
  }
  return text;
}

std::string TranslateExactly(const std::string& name, const KeyTable& table) {
  for (const KeyReplacement& row : table) {
    if (row.key == name) return row.replacement;
  }
  return name;
}

KeyTable MainShapeDataKeys(const std::string& pixel_count_name, const std::string& polygon_name) {
  return {
      {"HorizontalLineShape", "Horizontal"},
      {"VerticalLineShape", "Vertical"},
      {"DRectBigSmallShape", "BigSmallFilterBox"},
      {pixel_count_name, "PixelRectangle"},
      {"Rect", "Rectangle"},
      {polygon_name, "Polygon"},
      {"arrow", "LineShape"},
      {"Crossline", "LineShape"},
  };
}

KeyTable PageShapeKeys(const std::string& pixel_count_name, const std::string& polygon_name) {
  return {
      {"PixelRectangle", pixel_count_name},
      {"Rectangle", "Rect"},
      {"Polygon", polygon_name},
      {"LineShape", "arrow"},
  };
}

const KeyTable& SubShapeKeys() {
  static const KeyTable table = {{"Rect", "Rectangle"}};
  return table;
}

bool IsTwoPointRectName(const std::string& marked_name) {
  return std::find(std::begin(kTwoPointRectNames), std::end(kTwoPointRectNames), marked_name) !=
         std::end(kTwoPointRectNames);
}

SentShape TranslateShapeType(const std::string& page_type, const std::string& marked_name) {
  SentShape shape{page_type, marked_name, StoredName::kNone};
  for (const ShapeTypeRule& rule : kShapeTypeRules) {
    if (shape.type != rule.page_type) continue;
    shape.type = rule.sent_type;
    if (rule.marked_name != nullptr) shape.marked_name = rule.marked_name;
    if (rule.stores != StoredName::kNone) shape.stores = rule.stores;
  }
  return shape;
}

}  // namespace Shimwell
