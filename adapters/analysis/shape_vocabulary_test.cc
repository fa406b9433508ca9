#include "adapters/analysis/shape_vocabulary.h"

#include <gtest/gtest.h>

namespace Shimwell {
namespace {

TEST(ReplaceFirstKeyTest, FirstRowFoundReplacesItsFirstOccurrenceOnly) {
  const KeyTable table = {{"", "never"}, {"arrow", "LineShape"}, {"Crossline", "LineShape"}};
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      // Table order decides, not the position in the text.
      {"Crossline arrow", "Crossline LineShape"},
      {"arrow arrow", "LineShape arrow"},
      {"Crossline Crossline", "LineShape Crossline"},
      // A key inside a longer word matches too.
      {"sparrows", "spLineShapes"},
      {"none here", "none here"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceFirstKey(c.text, table), c.expected) << c.text;
}

TEST(ReplaceFirstKeyTest, EmptyReplacementDeletesTheKey) {
  EXPECT_EQ(ReplaceFirstKey(R"({"PixelRectangle": [1, 2]})", PageShapeKeys("", "")),
            R"({"": [1, 2]})");
}

}  // namespace
}  // namespace Shimwell
