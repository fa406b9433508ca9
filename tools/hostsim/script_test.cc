// The script language: which lines are refused before anything runs, and
// how accepted lines reach the host.
#include "tools/hostsim/script.h"

#include <sstream>

#include <gtest/gtest.h>

#include "tools/hostsim/fake_plugin.h"
#include "tools/hostsim/output_sink.h"

namespace hostsim {
namespace {

class ScriptTest : public ::testing::Test {
 protected:
  ~ScriptTest() override { fake::OnLoad(nullptr); }
  LineListSink sink_;
  Host host_{fake::Exports(), &sink_};
};

TEST_F(ScriptTest, RefusesInvalidLinesWithTheReason) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {R"({"call": "A")", "not JSON"},
      {R"({"call": "A"} x)", "not JSON"},
      {R"({"call": "A", "call": "B"})", "not JSON"},
      {R"({"call": "A"} // note)", "not JSON"},
      {R"(["call"])", "not an object"},
      {"{}", "no command"},
      {R"({"jump": 1})", "unknown command jump"},
      {R"({"call": "A", "start": true})", "more than one command"},
      {R"({"call": "A", "param": {}})", "\"call\" takes no argument \"param\""},
      {R"({"call": 5})", "\"call\" must be a text"},
      {R"({"call": "A", "id": "7"})", "\"id\" must be an integer"},
      {R"({"call": "A", "id": 4294967296})", "\"id\" must be an integer"},
      {R"({"call": "A", "nth": -1})", "\"nth\" must not be negative"},
      {R"({"call": "A", "text": "{}", "params": {}})", "not both"},
      {R"({"start": false})", "\"start\" takes true"},
      {R"({"export": "Unload"})", "no export is named Unload"},
      {R"({"reply": {"A": 5}})", "the reply of A must be a text"},
      {R"({"replyOnce": {"A": ["x", 1]}})", "must be a text"},
      {R"({"host": {"currentview": 1}})", "unknown host key \"currentview\""},
      {R"({"host": {"viewRect": [1, 2, 3]}})", "[left, top, right, bottom]"},
      {R"({"host": {"viewPlayer": {"one": 2}}})", "view indexes"},
      {R"({"host": {"currentDevice": -1}})", "unsigned"},
      {R"({"host": {"displayFlag": 1}})", "true or false"},
      {R"({"unbind": ["SendRequest", "Send"]})", "no host pair is named Send"},
      {R"({"unbind": "SendRequest"})", "array of texts"},
      {R"({"signal": "S", "args": 1})", "\"args\" must be an array"},
      {R"({"playerState": [0, 5, 2]})", "four integers"},
      {R"({"paramNames": "A", "count": 1001})", "at most 1000"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(RunScriptLine(&host_, c.line, &error)) << c.line;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.line << " gave: " << error;
  }
  EXPECT_TRUE(sink_.lines.empty());
}

TEST_F(ScriptTest, SkipsBlankAndCommentLinesAndStopsAtTheFirstBadOne) {
  fake::OnLoad([](fake::FakeAdapter& a) { a.Fire("loaded", {}); });
  std::istringstream script(
      "# a session\r\n"
      "\n"
      "   \t\n"
      "  # indented comment\n"
      "{\"export\": \"LoadImplObjects\"}\r\n"
      "{\"call\": }\n"
      "{\"export\": \"LoadImplObjects\"}\n");
  std::string error;
  EXPECT_EQ(RunScript(&host_, script, &error), 2);
  EXPECT_EQ(error.rfind("line 6: not JSON", 0), 0u) << error;
  EXPECT_EQ(sink_.lines, (std::vector<std::string>{R"({"registerObject": "class Fake::CAdapter"})",
                                                   R"({"event": "loaded", "args": []})"}));
}

TEST_F(ScriptTest, HostKeysSetTheAnswersAndABadKeyChangesNothing) {
  std::string error;
  ASSERT_TRUE(RunScriptLine(&host_,
                            R"({"host": {"viewPlayer": {"1": 9, "-2": 4}, "kindPath": {"k": "/p"}, )"
                            R"("viewRect": [1, 2.5, 3, 4], "currentDevice": 4294967295, "viewObject": false}})",
                            &error))
      << error;
  const HostAnswers& a = host_.answers();
  EXPECT_EQ(a.view_player, 0);
  EXPECT_EQ(a.view_player_by_view, (std::map<int, int>{{-2, 4}, {1, 9}}));
  EXPECT_EQ(a.kind_path.at("k"), "/p");
  EXPECT_EQ(a.view_rect.top, 2.5f);
  EXPECT_EQ(a.current_device, 4294967295u);
  EXPECT_FALSE(a.view_object);

  EXPECT_FALSE(RunScriptLine(&host_, R"({"host": {"viewPlayer": 3, "ptzFlag": "yes"}})", &error));
  EXPECT_EQ(host_.answers().view_player, 0);
  ASSERT_TRUE(RunScriptLine(&host_, R"({"host": {"viewPlayer": 3}})", &error));
  EXPECT_EQ(host_.answers().view_player, 3);
  EXPECT_TRUE(host_.answers().view_player_by_view.empty());
}

TEST_F(ScriptTest, CallLinesBuildTheCallText) {
  fake::OnLoad([](fake::FakeAdapter& a) {
    a.Publish("Echo", {"a"}, [](int id, const char* text, const Foundation::ReplyDelegate& reply) {
      reply((std::to_string(id) + " " + text).c_str());
      return true;
    });
  });
  const char* lines[] = {
      R"({"export": "LoadImplObjects"})",
      R"({"call": "Echo"})",
      R"({"call": "Echo", "id": 7, "params": {"b": 1.0, "a": [4294967295, "x/y"]}})",
      R"({"call": "Echo", "text": "raw"})",
  };
  std::string error;
  for (const char* line : lines) ASSERT_TRUE(RunScriptLine(&host_, line, &error)) << error;
  EXPECT_EQ(sink_.lines, (std::vector<std::string>{
                             R"({"registerObject": "class Fake::CAdapter"})",
                             R"({"registerMethod": "Echo", "params": ["a"]})",
                             R"({"reply": "1 {}"})",
                             R"({"reply": "7 {\"params\": {\"a\": [4294967295, \"x/y\"], \"b\": 1.0}}"})",
                             R"({"reply": "1 raw"})",
                         }));
}

}  // namespace
}  // namespace hostsim
