// The held type of a reply's "result" decides which casts of the page
// methods succeed, and no script shows it directly.
#include "adapters/live/protocol2.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace Shimwell {
namespace {

struct ReplyCase {
  const char* reply;
  const std::type_info* held;  // null: the Any is empty
};

TEST(ParseReply, HeldTypeFollowsTheJsonTypeOfResult) {
  const ReplyCase cases[] = {
      {R"({"result": true})", &typeid(bool)},
      {R"({"result": 7})", &typeid(int)},
      {R"({"result": -2147483648})", &typeid(int)},
      {R"({"result": 2147483648})", &typeid(unsigned int)},
      {R"({"result": 4294967295})", &typeid(unsigned int)},
      {R"({"result": 4294967296})", &typeid(double)},
      {R"({"result": -2147483649})", &typeid(double)},
      {R"({"result": 1.5})", &typeid(double)},
      {R"({"result": 2.0})", &typeid(double)},
      {R"({"result": 1e3})", &typeid(double)},
      {R"({"result": "abc"})", &typeid(std::string)},
      {R"({"result": [1]})", &typeid(Json::Value)},
      {R"({"result": null})", &typeid(Json::Value)},
      {R"({})", &typeid(Json::Value)},
      {R"(5)", &typeid(Json::Value)},
      {R"(["result", 1])", &typeid(Json::Value)},
      {"", nullptr},
      {"{\"result\": ", nullptr},
      {"not json", nullptr},
  };
  for (const ReplyCase& c : cases) {
    const Foundation::Any value = ParseReply(c.reply);
    if (c.held == nullptr) {
      EXPECT_TRUE(value.empty()) << c.reply;
    } else {
      EXPECT_EQ(value.type(), *c.held) << c.reply;
    }
  }
}

TEST(ParseReply, ValuesSurviveTheConversion) {
  EXPECT_EQ(Foundation::AnyCast<unsigned int>(ParseReply(R"({"result": 4294967295})")), 4294967295U);
  EXPECT_EQ(Foundation::AnyCast<std::string>(ParseReply(R"({"result": "a\/b"})")), "a/b");
  EXPECT_EQ(Foundation::AnyCast<Json::Value>(ParseReply(R"({"result": [1, {"a": 2}]})"))[1]["a"], 2);
  EXPECT_EQ(Foundation::AnyCast<Json::Value>(ParseReply("[1]")), Json::Value());
}

TEST(ParseReply, HostileNestingIsAReplyThatDoesNotParse) {
  const std::string deep = R"({"result": )" + std::string(100000, '[') + std::string(100000, ']') + "}";
  Foundation::Any value;
  EXPECT_NO_THROW(value = ParseReply(deep));
  EXPECT_TRUE(value.empty());
}

}  // namespace
}  // namespace Shimwell
