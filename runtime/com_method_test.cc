#include "runtime/com_method.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/any.h"

namespace Foundation {
namespace {

// An adapter stand-in whose members record what they received.
class Target {
 public:
  bool TwoInts(int channel, int stream) {
    ints = {channel, stream};
    return result;
  }
  bool TakeInt(int value) {
    ints = {value};
    return true;
  }
  bool TakeLong(long value) {
    ints = {static_cast<int>(value)};
    return true;
  }
  bool TakeUnsigned(unsigned int value) {
    unsigned_value = value;
    return true;
  }
  bool TakeBool(bool value) {
    flags = {value};
    return true;
  }
  bool TakeText(const char* value) {
    texts = {value};
    return true;
  }
  bool Mixed(const char* name, int number, bool flag) {
    texts = {name};
    ints = {number};
    flags = {flag};
    return true;
  }
  int Six(int a, int b, int c, int d, int e, int f) { return a + b + c + d + e + f; }
  bool NoParams() {
    ++calls;
    return true;
  }
  long LongResult() { return -5; }
  int IntResult(int value) { return value * 2; }
  const char* TextResult(int) { return "a/b"; }
  const char* NullText() { return nullptr; }
  bool Throws(int) { throw BadCast(); }

  bool result = true;
  int calls = 0;
  std::vector<int> ints;
  std::vector<bool> flags;
  std::vector<std::string> texts;
  unsigned int unsigned_value = 0;
};

// Collects the reply texts a method sends.
class Replies {
 public:
  void Receive(const char* text) { texts.push_back(text); }
  ReplyDelegate delegate() { return ReplyDelegate(this, &Replies::Receive); }
  std::vector<std::string> texts;
};

using Method = std::unique_ptr<IComInterface>;

std::string Reply(int id, const std::string& result) {
  return "{\n   \"id\" : " + std::to_string(id) + ",\n   \"result\" : " + result + "\n}\n";
}

class CComMethodTest : public ::testing::Test {
 protected:
  // Runs `method` on {"params": {"v": <json>}} and expects a reply.
  void InvokeWith(IComInterface& method, const std::string& json) {
    const std::string call = "{\"params\": {\"v\": " + json + "}}";
    ASSERT_TRUE(method.Invoke(1, call.c_str(), replies.delegate())) << json;
  }

  Target target;
  Replies replies;
};

TEST_F(CComMethodTest, ConvertsNamedParametersAndReplies) {
  Method method(MakeComMethod(&target, &Target::TwoInts, {"channel", "stream"}));
  EXPECT_TRUE(method->Invoke(7, R"({"params": {"channel": 2, "stream": 1.9}})",
                             replies.delegate()));
  EXPECT_EQ(target.ints, (std::vector<int>{2, 1}));
  target.result = false;
  EXPECT_TRUE(method->Invoke(8, R"({"params": {"stream": 4, "channel": 3}})",
                             replies.delegate()));
  EXPECT_EQ(target.ints, (std::vector<int>{3, 4}));
  EXPECT_EQ(replies.texts, (std::vector<std::string>{Reply(7, "true"), Reply(8, "false")}));
}

TEST_F(CComMethodTest, IntegerConversions) {
  const struct {
    const char* json;
    int expected;
  } cases[] = {
      {"5", 5},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", -2147483647 - 1},
      {"4294967295", -1},
      {"3.0", 3},
      {"-2.7", -2},
      {"1.9", 1},
      {"1e10", 1410065408},  // low 32 bits of 10000000000
      {"\"1\"", 0},
      {"true", 0},
      {"null", 0},
      {"[1]", 0},
      {"{}", 0},
  };
  Method as_int(MakeComMethod(&target, &Target::TakeInt, {"v"}));
  Method as_long(MakeComMethod(&target, &Target::TakeLong, {"v"}));
  for (const auto& c : cases) {
    for (IComInterface* method : {as_int.get(), as_long.get()}) {
      InvokeWith(*method, c.json);
      EXPECT_EQ(target.ints, std::vector<int>{c.expected}) << c.json;
    }
  }
}

TEST_F(CComMethodTest, UnsignedTakesTheSameBitPattern) {
  const struct {
    const char* json;
    unsigned int expected;
  } cases[] = {{"4294967295", 4294967295u}, {"-1", 4294967295u}, {"7.5", 7u}, {"\"7\"", 0u}};
  Method method(MakeComMethod(&target, &Target::TakeUnsigned, {"v"}));
  for (const auto& c : cases) {
    InvokeWith(*method, c.json);
    EXPECT_EQ(target.unsigned_value, c.expected) << c.json;
  }
}

TEST_F(CComMethodTest, BoolAndTextConversions) {
  Method as_bool(MakeComMethod(&target, &Target::TakeBool, {"v"}));
  const std::pair<const char*, bool> bools[] = {
      {"true", true}, {"false", false}, {"1", false}, {"\"true\"", false}, {"null", false}};
  for (const auto& [json, expected] : bools) {
    InvokeWith(*as_bool, json);
    EXPECT_EQ(target.flags, std::vector<bool>{expected}) << json;
  }
  Method as_text(MakeComMethod(&target, &Target::TakeText, {"v"}));
  const std::pair<const char*, const char*> texts[] = {
      {"\"abc\"", "abc"}, {"\"\"", ""}, {"5", ""}, {"true", ""}, {"null", ""}, {"{}", ""}};
  for (const auto& [json, expected] : texts) {
    InvokeWith(*as_text, json);
    EXPECT_EQ(target.texts, std::vector<std::string>{expected}) << json;
  }
}

TEST_F(CComMethodTest, UnusableParamsReadAsDefaults) {
  Method method(MakeComMethod(&target, &Target::Mixed, {"name", "number", "flag"}));
  const char* calls[] = {
      "{}",
      "null",
      R"({"params": null})",
      R"({"params": [1, 2, 3]})",
      R"({"params": "x"})",
      R"([{"params": {"name": "a", "number": 1, "flag": true}}])",
      "17",
  };
  for (const char* call : calls) {
    target.ints.clear();
    ASSERT_TRUE(method->Invoke(3, call, replies.delegate())) << call;
    EXPECT_EQ(target.texts, std::vector<std::string>{""}) << call;
    EXPECT_EQ(target.ints, std::vector<int>{0}) << call;
    EXPECT_EQ(target.flags, std::vector<bool>{false}) << call;
  }
  EXPECT_EQ(replies.texts.size(), std::size(calls));
}

TEST_F(CComMethodTest, UnparsableCallIsRefusedUnlessThereAreNoParameters) {
  Method with_params(MakeComMethod(&target, &Target::TakeInt, {"v"}));
  const std::string too_deep = "{\"params\": " + std::string(5000, '[');
  for (const char* call : {"{", "", static_cast<const char*>(nullptr), too_deep.c_str()}) {
    EXPECT_FALSE(with_params->Invoke(1, call, replies.delegate()));
    EXPECT_FALSE(with_params->CheckParams(1, call));
  }
  EXPECT_TRUE(target.ints.empty());
  EXPECT_TRUE(replies.texts.empty());

  Method without(MakeComMethod(&target, &Target::NoParams));
  EXPECT_TRUE(without->Invoke(4, "{", replies.delegate()));
  EXPECT_EQ(target.calls, 1);
  EXPECT_EQ(replies.texts, std::vector<std::string>{Reply(4, "true")});
}

TEST_F(CComMethodTest, ResultsAreTyped) {
  const char* v4 = R"({"params": {"v": 4}})";
  const struct {
    Method method;
    const char* call;
    const char* result;
  } cases[] = {
      {Method(MakeComMethod(&target, &Target::LongResult)), "", "-5"},
      {Method(MakeComMethod(&target, &Target::IntResult, {"v"})), v4, "8"},
      {Method(MakeComMethod(&target, &Target::TextResult, {"v"})), v4, "\"a\\/b\""},
      {Method(MakeComMethod(&target, &Target::NullText)), "", "\"\""},
      {Method(MakeComMethod(&target, &Target::TakeBool, {"v"})), R"({"params": {"v": true}})",
       "true"},
      {Method(MakeComMethod(&target, &Target::Six, {"a", "b", "c", "d", "e", "f"})),
       R"({"params": {"a": 1, "b": 2, "c": 3, "d": 4, "e": 5, "f": 6}})", "21"},
  };
  for (const auto& c : cases) {
    replies.texts.clear();
    ASSERT_TRUE(c.method->Invoke(9, c.call, replies.delegate())) << c.result;
    EXPECT_EQ(replies.texts, std::vector<std::string>{Reply(9, c.result)});
  }
}

TEST_F(CComMethodTest, EmptyReplyDelegateStillRuns) {
  Method method(MakeComMethod(&target, &Target::NoParams));
  EXPECT_TRUE(method->Invoke(1, "", ReplyDelegate()));
  EXPECT_EQ(target.calls, 1);
}

TEST_F(CComMethodTest, MemberExceptionsLeaveInvoke) {
  Method method(MakeComMethod(&target, &Target::Throws, {"v"}));
  EXPECT_THROW(method->Invoke(1, R"({"params": {"v": 1}})", replies.delegate()), std::bad_cast);
  EXPECT_TRUE(replies.texts.empty());
}

TEST_F(CComMethodTest, CheckParamsWantsTheCountAndJsonTypes) {
  Method method(MakeComMethod(&target, &Target::Mixed, {"name", "number", "flag"}));
  const struct {
    int count;
    const char* call;
    bool accepted;
  } cases[] = {
      {3, R"({"params": {"name": "a", "number": 1, "flag": true}})", true},
      {3, R"({"params": {"name": "a", "number": 1.5, "flag": false, "extra": 0}})", true},
      {2, R"({"params": {"name": "a", "number": 1, "flag": true}})", false},
      {3, R"({"params": {"name": 1, "number": 1, "flag": true}})", false},
      {3, R"({"params": {"name": "a", "number": "1", "flag": true}})", false},
      {3, R"({"params": {"name": "a", "number": 1, "flag": 1}})", false},
      {3, R"({"params": {"name": "a", "number": 1}})", false},
      {3, R"({"params": [ "a", 1, true ]})", false},
      {3, "{}", false},
  };
  for (const auto& c : cases) EXPECT_EQ(method->CheckParams(c.count, c.call), c.accepted) << c.call;

  Method two(MakeComMethod(&target, &Target::TwoInts, {"channel", "stream"}));
  EXPECT_FALSE(two->CheckParams(2, R"({"params": {"channel": 2, "stream": "1"}})"));

  Method none(MakeComMethod(&target, &Target::NoParams));
  EXPECT_TRUE(none->CheckParams(0, "not json"));
  EXPECT_FALSE(none->CheckParams(1, "{}"));
}

TEST_F(CComMethodTest, TemplateHoldsTheDefaultsInNameOrder) {
  Method two(MakeComMethod(&target, &Target::TwoInts, {"stream", "channel"}));
  EXPECT_STREQ(two->GetParamsTemplate(), "{\n   \"channel\" : 0,\n   \"stream\" : 0\n}\n");
  Method mixed(MakeComMethod(&target, &Target::Mixed, {"name", "number", "flag"}));
  EXPECT_STREQ(mixed->GetParamsTemplate(),
               "{\n   \"flag\" : false,\n   \"name\" : \"\",\n   \"number\" : 0\n}\n");
  Method unsigned_param(MakeComMethod(&target, &Target::TakeUnsigned, {"id"}));
  EXPECT_STREQ(unsigned_param->GetParamsTemplate(), "{\n   \"id\" : 0\n}\n");
  Method none(MakeComMethod(&target, &Target::NoParams));
  EXPECT_STREQ(none->GetParamsTemplate(), "");
  EXPECT_EQ(none->GetParamCount(), 0);
  EXPECT_EQ(mixed->GetParamCount(), 3);
}

TEST_F(CComMethodTest, ParamNamesFillHundredCharacterSlots) {
  Method method(MakeComMethod(&target, &Target::Mixed, {"name", "number", "flag"}));
  std::vector<char> buffer(3 * kParamNameSlot, '\0');
  EXPECT_FALSE(method->GetParamNames(buffer.data(), 2));
  EXPECT_EQ(std::string(buffer.data()), "");
  ASSERT_TRUE(method->GetParamNames(buffer.data(), 3));
  EXPECT_STREQ(buffer.data(), "name");
  EXPECT_STREQ(buffer.data() + 100, "number");
  EXPECT_STREQ(buffer.data() + 200, "flag");

  Method none(MakeComMethod(&target, &Target::NoParams));
  EXPECT_TRUE(none->GetParamNames(nullptr, 0));
  EXPECT_FALSE(none->GetParamNames(buffer.data(), 1));
}

TEST_F(CComMethodTest, ParamNamesLongerThan98AreRefused) {
  const std::string longest(98, 'n');
  const std::string too_long(99, 'n');
  std::vector<char> buffer(2 * kParamNameSlot, '\0');
  Method fits(MakeComMethod(&target, &Target::TwoInts, {"a", longest.c_str()}));
  ASSERT_TRUE(fits->GetParamNames(buffer.data(), 2));
  EXPECT_EQ(std::string(buffer.data() + 100), longest);

  std::fill(buffer.begin(), buffer.end(), '\0');
  Method refused(MakeComMethod(&target, &Target::TwoInts, {"a", too_long.c_str()}));
  EXPECT_FALSE(refused->GetParamNames(buffer.data(), 2));
  EXPECT_EQ(buffer[0], '\0');
}

}  // namespace
}  // namespace Foundation
