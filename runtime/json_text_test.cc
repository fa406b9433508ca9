#include "runtime/json_text.h"

#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

namespace Foundation {
namespace {

Json::Value Parse(const std::string& text) {
  Json::Value value;
  EXPECT_TRUE(ReadJson(text.c_str(), &value)) << text;
  return value;
}

// A one-line array of `count` copies of `element`.
std::string ArrayOf(int count, const std::string& element) {
  std::string text = "[";
  for (int i = 0; i < count; ++i) text += (i ? "," : "") + element;
  return text + "]";
}

// The same array written on one line.
std::string InlineOf(int count, const std::string& element) {
  std::string text = "[ ";
  for (int i = 0; i < count; ++i) text += (i ? ", " : "") + element;
  return text + " ]\n";
}

// The same array written one element per line at the top level.
std::string LinesOf(int count, const std::string& element) {
  std::string text = "[\n";
  for (int i = 0; i < count; ++i) text += "   " + element + (i + 1 < count ? ",\n" : "\n");
  return text + "]\n";
}

struct Case {
  std::string json;
  std::string styled;
};

TEST(WriteStyled, Layout) {
  const std::string a67(67, 'a');
  const std::string a68(68, 'a');
  const Case cases[] = {
      {"null", "null\n"},
      {"{}", "{}\n"},
      {"[]", "[]\n"},
      {"true", "true\n"},
      {R"({"method":"ConnectRealVideo","params":{"channel":1,"stream":0,"protocol":0}})",
       "{\n   \"method\" : \"ConnectRealVideo\",\n   \"params\" : {\n      \"channel\" : 1,\n"
       "      \"protocol\" : 0,\n      \"stream\" : 0\n   }\n}\n"},
      {R"({"method":"NoticeInitializedSignal","params":null})",
       "{\n   \"method\" : \"NoticeInitializedSignal\",\n   \"params\" : null\n}\n"},
      // Members in ascending byte order.
      {R"({"b":1,"a":2,"B":3,"aa":4,"_":5})",
       "{\n   \"B\" : 3,\n   \"_\" : 5,\n   \"a\" : 2,\n   \"aa\" : 4,\n   \"b\" : 1\n}\n"},
      {R"({"a":[],"b":{},"c":[1,"x",true,null]})",
       "{\n   \"a\" : [],\n   \"b\" : {},\n   \"c\" : [ 1, \"x\", true, null ]\n}\n"},
      // Empty containers stay inline; non-empty ones break the line.
      {"[[],{},[]]", "[ [], {}, [] ]\n"},
      {"[[1,2],[3]]", "[\n   [ 1, 2 ],\n   [ 3 ]\n]\n"},
      {"[[[]]]", "[\n   [ [] ]\n]\n"},
      {R"([{"a":1},2])", "[\n   {\n      \"a\" : 1\n   },\n   2\n]\n"},
      {R"({"a":[{"b":[1]}]})",
       "{\n   \"a\" : [\n      {\n         \"b\" : [ 1 ]\n      }\n   ]\n}\n"},
      {R"({"a":{"b":{}}})", "{\n   \"a\" : {\n      \"b\" : {}\n   }\n}\n"},
      // The right margin: 2 + 2 * count + total element length below 74.
      {"[\"" + a67 + "\"]", "[ \"" + a67 + "\" ]\n"},
      {"[\"" + a68 + "\"]", "[\n   \"" + a68 + "\"\n]\n"},
      {ArrayOf(23, "1"), InlineOf(23, "1")},
      {ArrayOf(24, "1"), LinesOf(24, "1")},
      {ArrayOf(25, "[]"), LinesOf(25, "[]")},
      {"{\"k\":[\"" + a68 + "\"]}", "{\n   \"k\" : [\n      \"" + a68 + "\"\n   ]\n}\n"},
      // Escapes; every other byte as it is.
      {R"(["\"\\\/\b\f\n\r\t"])", R"([ "\"\\\/\b\f\n\r\t" ])" "\n"},
      {"[\"http://x/y\", \"\\u0001\\u001f\\u00e9\"]",
       "[ \"http:\\/\\/x\\/y\", \"\x01\x1f\xc3\xa9\" ]\n"},
      {R"({"a/b\"":1})", "{\n   \"a\\/b\\\"\" : 1\n}\n"},
      // Integers of every width.
      {"[0,-1,2147483647,-2147483648,4294967295]",
       "[ 0, -1, 2147483647, -2147483648, 4294967295 ]\n"},
      {"[9223372036854775807,-9223372036854775808,18446744073709551615]",
       "[ 9223372036854775807, -9223372036854775808, 18446744073709551615 ]\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteStyled(Parse(c.json)), c.styled) << c.json;
  }
}

TEST(WriteStyled, Reals) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {2.0, "2.0"},
      {1.5, "1.5"},
      {0.1, "0.1"},
      {-0.5, "-0.5"},
      {0.0, "0.0"},
      {100.0, "100.0"},
      {123.456, "123.456"},
      {1.0 / 3.0, "0.3333333333333333"},
      {1e15, "1000000000000000.0"},
      {1e20, "1.000000000000000e+20"},
      {1.25e-7, "1.250000000000000e-07"},
      {-2147483648.0, "-2147483648.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteStyled(Json::Value(c.value)), std::string(c.text) + "\n") << c.text;
  }
}

// Where the layout has nothing to say about reals, slashes or odd bytes, the
// text is the one JsonCpp's own styled writer gives.
TEST(WriteStyled, AgreesWithJsonCppOnStructure) {
  const char* documents[] = {
      R"({"a":[[],[[]],{},[{}]],"b":{"c":[1,[2,[3,{"d":null}]]]},"e":"x"})",
      R"([[1,2,3],{"k":[4,5]},[],{},"s",true,false,null,-3])",
      R"({"list":["aaaaaaaaaaaaaaaaaaaa","bbbbbbbbbbbbbbbbbbbb","cccccccccccccccccccc"]})",
      R"({"deep":{"deeper":{"deepest":[{"x":1},{"y":[]}]}}})",
  };
  for (const char* document : documents) {
    const Json::Value value = Parse(document);
    EXPECT_EQ(WriteStyled(value), Json::StyledWriter().write(value)) << document;
  }
}

TEST(WriteCompactSpaced, OneLine) {
  const Case cases[] = {
      {R"({"event":"configFileExport","params":{"reqURL":"","code":200,"errorCode":200,"statueCode":""}})",
       R"({ "event" : "configFileExport", "params" : { "code" : 200, "errorCode" : 200, "reqURL" : "", "statueCode" : "" } })"
       "\n"},
      {R"({"reqURL":"http://h/p?a=1"})", R"({ "reqURL" : "http:\/\/h\/p?a=1" })" "\n"},
      {R"({"b":[1,"x",[]],"a":{},"c":[]})",
       R"({ "a" : {}, "b" : [ 1, "x", [] ], "c" : [] })" "\n"},
      {R"({"t":"\"\\\b\f\n\r\t"})", R"({ "t" : "\"\\\b\f\n\r\t" })" "\n"},
      {"{}", "{}\n"},
      {"7", "7\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteCompactSpaced(Parse(c.json)), c.styled) << c.json;
  }
  EXPECT_EQ(WriteCompactSpaced(Json::Value(2.0)), "2.0\n");
}

TEST(ReadJson, AcceptsOnlyJson) {
  Json::Value value;
  EXPECT_FALSE(ReadJson(nullptr, &value));
  EXPECT_FALSE(ReadJson("", &value));
  EXPECT_FALSE(ReadJson("{\"a\":", &value));
  EXPECT_FALSE(ReadJson(std::string(5000, '[').c_str(), &value));  // beyond the reader's depth
  ASSERT_TRUE(ReadJson("// note\n{\"a\":1}", &value));
  EXPECT_EQ(value["a"], 1);
  EXPECT_FALSE(value.hasComment(Json::commentBefore));
  ASSERT_TRUE(ReadJson("// note\n{\"a\":1}", &value, /*collect_comments=*/true));
  EXPECT_TRUE(value.hasComment(Json::commentBefore));
}

}  // namespace
}  // namespace Foundation
