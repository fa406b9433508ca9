#include "adapters/analysis/shape_values.h"

#include <gtest/gtest.h>

#include <string>

#include "adapters/live/protocol2.h"

namespace Shimwell {
namespace {

Json::Value Parse(const char* text) {
  Json::Value value;
  EXPECT_TRUE(ParseJsonText(text, &value, false)) << text;
  return value;
}

TEST(ReadDecimalTest, ReadsLikeAtoiAndSaturates) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"42", 42},
      {"abc", 0},
      {"", 0},
      {" \t\n-7x", -7},
      {"+5", 5},
      {"- 5", 0},
      {"12 34", 12},
      {"0042", 42},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 2147483647},
      {"-99999999999999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadInt32Test, NumbersInRangeAndBooleansOnly) {
  const struct {
    const char* json;
    bool read;
    std::int32_t expected;
  } cases[] = {
      {"-12", true, -12},
      {"1.9", true, 1},
      {"-2.5", true, -2},
      {"-2147483648.5", true, -2147483647 - 1},
      {"true", true, 1},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"1e12", false, 0},
      {"null", false, 0},
      {"\"7\"", false, 0},
      {"[7]", false, 0},
      {"{}", false, 0},
  };
  for (const auto& c : cases) {
    std::int32_t out = 0;
    EXPECT_EQ(ReadInt32(Parse(c.json), &out), c.read) << c.json;
    EXPECT_EQ(Int32OrZero(Parse(c.json)), c.expected) << c.json;
  }
}

TEST(ReadTwoPointRectTest, MissingOrUnusableNumbersReadAsZero) {
  const struct {
    const char* json;
    std::int32_t x1, y1, x2, y2;
  } cases[] = {
      {"[[10, 20], [300, 200]]", 10, 20, 300, 200},
      {"[[1], [2, 3, 4]]", 1, 0, 2, 3},
      {"[[\"1\", null], [true, {}]]", 0, 0, 1, 0},
      {"[300, 200]", 0, 0, 0, 0},
      {"{\"a\": 1}", 0, 0, 0, 0},
      {"7", 0, 0, 0, 0},
      {"null", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const TwoPointRect rect = ReadTwoPointRect(Parse(c.json));
    EXPECT_EQ(rect.x1, c.x1) << c.json;
    EXPECT_EQ(rect.y1, c.y1) << c.json;
    EXPECT_EQ(rect.x2, c.x2) << c.json;
    EXPECT_EQ(rect.y2, c.y2) << c.json;
  }
}

TEST(MemberOrNullTest, OnlyObjectsHaveMembers) {
  EXPECT_EQ(MemberOrNull(Parse(R"({"a": 1})"), "a"), Json::Value(1));
  EXPECT_TRUE(MemberOrNull(Parse(R"({"a": 1})"), "b").isNull());
  EXPECT_TRUE(MemberOrNull(Parse("[1, 2]"), "a").isNull());
  EXPECT_TRUE(MemberOrNull(Parse("\"a\""), "a").isNull());
}

}  // namespace
}  // namespace Shimwell
