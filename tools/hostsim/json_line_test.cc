#include "tools/hostsim/json_line.h"

#include <limits>

#include <gtest/gtest.h>

namespace hostsim {
namespace {

TEST(JsonLine, NestsWithFixedSeparators) {
  JsonLine line;
  line.BeginObject().Key("event").String("E").Key("args").BeginArray();
  line.BeginObject().Key("int").Int(-1).EndObject();
  line.BeginArray().EndArray();
  line.BeginObject().EndObject();
  line.Null().EndArray().Key("n").UInt(4294967295u).EndObject();
  EXPECT_EQ(line.text(), R"({"event": "E", "args": [{"int": -1}, [], {}, null], "n": 4294967295})");
}

TEST(JsonLine, EscapesStringsAsJson) {
  const struct {
    std::string in;
    const char* out;
  } cases[] = {
      {"plain /path", R"("plain /path")"},
      {"q\"b\\", R"("q\"b\\")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {std::string("\x01\x1f", 2), R"("\u0001\u001f")"},
      {"\x7f\xc3\xa9", "\"\x7f\xc3\xa9\""},  // bytes from 0x7f on pass as they are
  };
  for (const auto& c : cases) EXPECT_EQ(JsonLine().String(c.in).text(), c.out) << c.out;
  EXPECT_EQ(JsonLine().Text(nullptr).text(), "null");
}

TEST(JsonLine, WritesRealsShortestAndStillReal) {
  const struct {
    double in;
    const char* out;
  } cases[] = {
      {2, "2.0"},     {1.5, "1.5"},      {0.1, "0.1"},      {-0.5, "-0.5"},
      {1e20, "1e+20"}, {1.0 / 3, "0.3333333333333333"}, {123456789012.0, "123456789012.0"}, {std::numeric_limits<double>::infinity(), "null"},
      {std::numeric_limits<double>::quiet_NaN(), "null"},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonLine().Real(c.in).text(), c.out) << c.out;
  // A float in the digits that read back as the same float, not as a double.
  EXPECT_EQ(JsonLine().Float(0.1f).text(), "0.1");
  EXPECT_EQ(JsonLine().Float(100.0f).text(), "100.0");
}

TEST(JsonLine, KeepsJsonValuesTypes) {
  Json::Value params(Json::objectValue);
  params["stream"] = 1.9;
  params["channel"] = Json::UInt(4294967295u);
  params["name"] = "a/b";
  params["list"].append(3.0);
  params["list"].append(Json::Value());
  EXPECT_EQ(WriteJsonLine(params),
            R"({"channel": 4294967295, "list": [3.0, null], "name": "a/b", "stream": 1.9})");
}

}  // namespace
}  // namespace hostsim
