// The simulated host against an in-process stand-in plug-in: ownership of
// what the plug-in hands over, and what the host reports and answers.
#include "tools/hostsim/host.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "tools/hostsim/fake_plugin.h"
#include "tools/hostsim/output_sink.h"

namespace hostsim {
namespace {

namespace oci = OrvikComponentInterface;
using fake::FakeAdapter;
using Lines = std::vector<std::string>;

class HostTest : public ::testing::Test {
 protected:
  ~HostTest() override {
    host_.reset();
    fake::OnLoad(nullptr);
    EXPECT_EQ(FakeAdapter::alive, 0) << "the host leaked an adapter";
    EXPECT_EQ(fake::Method::alive, 0) << "the host leaked a method object";
  }

  void Load(std::function<void(FakeAdapter&)> setup) {
    fake::OnLoad(std::move(setup));
    host_->CallExport(Export::kLoadImplObjects);
  }
  Lines Take() {
    Lines lines = std::move(sink_.lines);
    sink_.lines.clear();
    return lines;
  }
  oci::HostContext& context() { return *host_->context(); }
  // A set as the plug-in receives it.
  template <typename Set>
  Set* Query(const char* name) {
    Foundation::Any any = context().QueryObject("", name);
    auto* holder = dynamic_cast<Foundation::Any::Holder<Foundation::CSharedPtr<Set>>*>(any.content);
    return holder ? holder->held.get() : nullptr;
  }

  LineListSink sink_;
  std::unique_ptr<Host> host_ = std::make_unique<Host>(fake::Exports(), &sink_);
};

TEST_F(HostTest, HostCopiesKeepObjectsAliveUntilRelease) {
  Load(nullptr);
  Load(nullptr);
  // The plug-in has dropped its own references: only the host's copies remain.
  EXPECT_EQ(FakeAdapter::alive, 2);
  EXPECT_EQ(Take(), Lines(2, R"({"registerObject": "class Fake::CAdapter"})"));
  host_->Release();
  EXPECT_EQ(FakeAdapter::alive, 0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(HostTest, ReleaseFreesMethodsAndForgetsWhatPointsIntoObjects) {
  Load([](FakeAdapter& a) {
    a.Publish("M", {}, [](int, const char*, const Foundation::ReplyDelegate&) { return true; });
    a.Connect("S", a.Bind<void>([&a] { a.Fire("fired", {}); }));
    a.adaptor = a.Query<oci::IAdaptorSet>(oci::kAdaptorSetName);
    a.adaptor->InboundText = a.Bind<void, const char*>([](const char*) {});
  });
  EXPECT_EQ(fake::Method::alive, 1);
  host_->Release();
  EXPECT_EQ(fake::Method::alive, 0);
  EXPECT_EQ(FakeAdapter::alive, 0);
  Take();

  host_->Call("M", std::nullopt, 1, "{}");
  host_->FireSignal("S", Json::Value(Json::arrayValue));
  host_->Inbound("{}");
  EXPECT_EQ(Take(), (Lines{R"({"error": "no page method M"})", R"({"error": "no inbound entry is installed"})"}));
}

TEST_F(HostTest, QueryObjectAnswersSetsLatestObjectsAndNotWithheldNames) {
  Load(nullptr);
  Load(nullptr);
  Take();
  EXPECT_NE(Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName), nullptr);
  EXPECT_EQ(Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName), Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName));
  EXPECT_TRUE(context().QueryObject("", "struct Unknown").empty());

  Foundation::Any first = context().QueryObject("", "class Fake::CAdapter");
  ASSERT_FALSE(first.empty());
  host_->Withhold(oci::kPlayerMgrSetName);
  EXPECT_TRUE(context().QueryObject("", oci::kPlayerMgrSetName).empty());
  EXPECT_EQ(Take(), (Lines{
                        R"({"query": "struct OrvikComponentInterface::IPlayerMgrSet"})",
                        R"({"query": "struct OrvikComponentInterface::IPlayerMgrSet"})",
                        R"({"query": "struct OrvikComponentInterface::IPlayerMgrSet"})",
                        R"({"query": "struct Unknown"})",
                        R"({"query": "class Fake::CAdapter"})",
                        R"({"query": "struct OrvikComponentInterface::IPlayerMgrSet"})",
                    }));
  // The answer is the adapter of the second LoadImplObjects, shared with the host.
  const auto& adapter = static_cast<Foundation::Any::Holder<Foundation::CSharedPtr<FakeAdapter>>*>(first.content)->held;
  EXPECT_EQ(adapter.use_count(), 2);
}

TEST_F(HostTest, UnbindLeavesPairsNullByNameOrNumber) {
  auto* player = Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName);
  auto* customer = Query<oci::ICustomerInfoSet>(oci::kCustomerInfoSetName);
  ASSERT_TRUE(player && customer);
  const struct {
    const char* name;
    const void* pair;
  } cases[] = {
      {"SendRequest", &context().SendRequest},
      {"HostContext.13", &context().FirePageEvent},
      {"GetViewPlayer", &player->GetViewPlayer},
      {"IPlayerMgrSet.17", &player->DeviceSwitch},
      {"GetWebType", &customer->GetWebType},
  };
  for (const auto& c : cases) {
    const auto* pair = static_cast<const oci::UnusedPair*>(c.pair);
    EXPECT_FALSE(pair->empty()) << c.name;
    EXPECT_TRUE(host_->Unbind(c.name)) << c.name;
    EXPECT_TRUE(pair->empty()) << c.name;
  }
  EXPECT_FALSE(player->FindViewPlayer.empty()) << "only the named pairs go";
  EXPECT_FALSE(host_->Unbind("IPlayerMgrSet.2"));
  EXPECT_FALSE(host_->Unbind("Nothing"));
}

TEST_F(HostTest, QueriesAnswerSilentlyFromTheHostAnswers) {
  HostAnswers& answers = host_->answers();
  answers.web_type.reset();
  answers.view_player = 3;
  answers.view_player_by_view = {{1, 9}};
  answers.kind_path = {{"LiveSnapshot", "/snap"}};
  answers.view_rect = {1, 2, 3, 4};
  answers.current_device = 4294967295u;
  auto* display = Query<oci::IMultiNodeDisplayMgrSet>(oci::kDisplayMgrSetName);
  auto* player = Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName);
  auto* device = Query<oci::IDeviceManagerSet>(oci::kDeviceManagerSetName);
  auto* customer = Query<oci::ICustomerInfoSet>(oci::kCustomerInfoSetName);
  Take();

  EXPECT_EQ(customer->GetWebType(), nullptr);
  EXPECT_EQ(player->GetViewPlayer(0), 3);
  EXPECT_EQ(player->GetViewPlayer(1), 9);
  EXPECT_STREQ(customer->GetKindPath("LiveSnapshot"), "/snap");
  EXPECT_STREQ(customer->GetKindPath("Other"), "");
  EXPECT_EQ(display->GetViewRect(0).bottom, 4);
  EXPECT_EQ(device->GetCurrentDevice(), 4294967295u);
  EXPECT_TRUE(Take().empty());
}

TEST_F(HostTest, ActingOperationsAndHostObjectsAreRecorded) {
  host_->answers().player_flag = true;
  host_->answers().shape_visible = true;
  auto* display = Query<oci::IMultiNodeDisplayMgrSet>(oci::kDisplayMgrSetName);
  auto* player = Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName);
  auto* factory = Query<oci::IVideoAnalysisShapeFactorySet>(oci::kShapeFactorySetName);
  Take();

  EXPECT_TRUE(player->DeviceSwitch(7, true));
  oci::IImageShape* shape = display->GetViewObject(2)->CreateShape("ImageShape");
  shape->SetGeometry(1.5f, 0, 100, 50);
  shape->SetImage(0, 0, 0, 0, "C:\\a.jpg", 3);
  EXPECT_TRUE(shape->IsVisible());
  shape->Reserved3();
  oci::IAnalysisShape* clip = factory->CreateAnalysisShape("RegionClip", 1, 2, host_->context());
  clip->ConfigureShape("clipShape", "{}", "");
  clip->ReleaseShape();
  EXPECT_EQ(Take(), (Lines{
                        R"({"host": "IPlayerMgrSet.17", "args": [7, true]})",
                        R"({"host": "CreateShape", "args": ["ImageShape"]})",
                        R"({"host": "SetGeometry", "args": [1.5, 0.0, 100.0, 50.0]})",
                        R"({"host": "SetImage", "args": [0, 0, 0, 0, "C:\\a.jpg", 3]})",
                        R"({"host": "ImageShape.3", "args": []})",
                        R"({"host": "CreateAnalysisShape", "args": ["RegionClip", 1, 2]})",
                        R"({"host": "ConfigureShape", "args": ["clipShape", "{}", ""]})",
                        R"({"host": "ReleaseShape", "args": []})",
                    }));

  host_->answers().view_object = false;
  host_->answers().analysis_shape = false;
  EXPECT_EQ(display->GetViewObject(2), nullptr);
  EXPECT_EQ(factory->CreateAnalysisShape("RegionClip", 1, 2, nullptr), nullptr);
}

TEST_F(HostTest, SendRequestRepliesQueuedThenStandingThenEmpty) {
  host_->SetReply("A", "standing");
  host_->QueueReply("A", "one");
  host_->QueueReply("A", "two");
  const char* requests[] = {R"({"method": "A"})", "{\n   \"method\" : \"A\"\n}\n", R"({"method": "A"})",
                            R"({"method": "B"})", "not json"};
  std::vector<std::string> replies;
  for (const char* request : requests) replies.push_back(context().SendRequest(request));
  EXPECT_EQ(replies, (Lines{"one", "two", "standing", "", ""}));
  EXPECT_EQ(Take()[1], R"({"request": "{\n   \"method\" : \"A\"\n}\n"})");
}

TEST_F(HostTest, ResponderAnswersFirstAndFallsBackWhenItDeclines) {
  host_->SetReply("A", "standing");
  host_->QueueReply("A", "queued");
  std::vector<std::string> seen;
  host_->SetResponder([&](const std::string& request) -> std::optional<std::string> {
    seen.push_back(request);
    if (request.find("\"B\"") != std::string::npos) return std::string("device");
    return std::nullopt;
  });
  EXPECT_STREQ(context().SendRequest(R"({"method": "B"})"), "device");
  EXPECT_STREQ(context().SendRequest(R"({"method": "A"})"), "queued");
  EXPECT_STREQ(context().SendRequest(R"({"method": "A"})"), "standing");
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(HostTest, EventsShowEveryRecordKind) {
  Load([](FakeAdapter& a) {
    a.Fire("Kinds", {fake::Int(-5), fake::Real(0.5), fake::Bool(true), fake::Text("a\"b"), fake::Text(nullptr),
                     fake::Text("t2", Foundation::EventVariant::kText2), fake::Record(),
                     fake::Record::Of(7, "x", 1)});
    a.Fire("None", {});
    a.context->FirePageEvent("Broken", nullptr, 2);
  });
  EXPECT_EQ(Take(), (Lines{
                        R"({"registerObject": "class Fake::CAdapter"})",
                        R"({"event": "Kinds", "args": [{"int": -5}, {"real": 0.5}, {"bool": true}, )"
                        R"({"text": "a\"b"}, {"text": null}, {"text2": "t2"}, {"empty": true}, {"kind": 7}]})",
                        R"({"event": "None", "args": []})",
                        R"({"event": "Broken", "args": []})",
                        R"({"error": "FirePageEvent: 2 arguments given without records"})",
                    }));
}

TEST_F(HostTest, SignalsCallDelegatesOfEveryTypeInConnectionOrder) {
  Load([](FakeAdapter& a) {
    a.Connect("S", a.Bind<void>([&a] { a.Fire("none", {}); }));
    a.Connect("S", a.Bind<void, HWND>([&a](HWND w) {
      a.Fire("window", {fake::Int(static_cast<int>(reinterpret_cast<std::uintptr_t>(w)))});
    }));
    a.Connect("U", a.Bind<void, unsigned int>([&a](unsigned u) { a.Fire("unsigned", {fake::Int(static_cast<int>(u))}); }));
    a.Connect("I", a.Bind<void, int>([&a](int i) { a.Fire("int", {fake::Int(i)}); }));
    a.Connect("R", a.Bind<void, int, const wpRect&>([&a](int i, const wpRect& r) {
      a.Fire("rect", {fake::Int(i), fake::Real(r.left), fake::Real(r.bottom)});
    }));
    a.Connect("T", a.Bind<void, int, const char*, int, int>([&a](int i, const char* t, int j, int k) {
      a.Fire("text", {fake::Int(i), fake::Text(t), fake::Int(j), fake::Int(k)});
    }));
    a.Connect("X", 42);
  });
  Take();
  const struct {
    const char* signal;
    const char* args;
    Lines lines;
  } cases[] = {
      {"S", "[]", {R"({"event": "none", "args": []})", R"({"event": "window", "args": [{"int": 0}]})"}},
      {"U", "[4294967295]", {R"({"event": "unsigned", "args": [{"int": -1}]})"}},
      {"I", "[-3]", {R"({"event": "int", "args": [{"int": -3}]})"}},
      {"R", "[2, [0.5, 1, 2, 3.5]]", {R"({"event": "rect", "args": [{"int": 2}, {"real": 0.5}, {"real": 3.5}]})"}},
      {"T", R"([1, "name", 2, 3])", {R"({"event": "text", "args": [{"int": 1}, {"text": "name"}, {"int": 2}, {"int": 3}]})"}},
      // Missing trailing arguments are zero values.
      {"T", "[]", {R"({"event": "text", "args": [{"int": 0}, {"text": ""}, {"int": 0}, {"int": 0}]})"}},
      {"R", "[1]", {R"({"event": "rect", "args": [{"int": 1}, {"real": 0.0}, {"real": 0.0}]})"}},
      // Misfits are reported and the delegate is not called.
      {"I", R"(["x"])", {R"({"error": "signal I: argument 1 is not an int"})"}},
      {"U", "[-1]", {R"({"error": "signal U: argument 1 is not an unsigned int"})"}},
      {"R", "[1, [1, 2]]", {R"({"error": "signal R: argument 2 is not [left, top, right, bottom]"})"}},
      {"I", "[1, 2]", {R"({"error": "signal I: the delegate takes 1 argument(s), 2 given"})"}},
      {"Nobody", "[]", {}},
  };
  for (const auto& c : cases) {
    Json::Value args;
    Json::Reader().parse(c.args, args);
    host_->FireSignal(c.signal, args);
    EXPECT_EQ(Take(), c.lines) << c.signal << " " << c.args;
  }
  host_->FireSignal("X", Json::Value(Json::arrayValue));
  const Lines unknown = Take();
  ASSERT_EQ(unknown.size(), 1u);
  EXPECT_EQ(unknown[0].rfind(R"({"error": "signal X: the connection holds an unknown type)", 0), 0u) << unknown[0];
}

TEST_F(HostTest, DelegatesConnectedDuringASignalWaitForItsNextFiring) {
  Load([](FakeAdapter& a) {
    a.Connect("S", a.Bind<void>([&a] {
      a.Fire("first", {});
      a.Connect("S", a.Bind<void>([&a] { a.Fire("later", {}); }));
    }));
  });
  Take();
  host_->FireSignal("S", Json::Value(Json::arrayValue));
  EXPECT_EQ(Take(), (Lines{R"({"event": "first", "args": []})", R"({"connect": "S"})"}));
}

TEST_F(HostTest, PageMethodsAreRegisteredInvokedAndReported) {
  Load([](FakeAdapter& a) {
    a.Publish("M", {"a", std::string(100, 'x'), "b"},
              [](int id, const char* text, const Foundation::ReplyDelegate& reply) {
                reply((std::to_string(id) + ":" + text).c_str());
                return true;
              });
    a.Publish("M", {}, [](int, const char*, const Foundation::ReplyDelegate&) { return false; });
    a.Publish("Throws", {}, [](int, const char*, const Foundation::ReplyDelegate&) -> bool {
      throw std::runtime_error("bad cast");
    });
    a.Publish("ThrowsOther", {}, [](int, const char*, const Foundation::ReplyDelegate&) -> bool { throw 1; });
  });
  EXPECT_EQ(Take(), (Lines{
                        R"({"registerObject": "class Fake::CAdapter"})",
                        R"({"registerMethod": "M", "params": ["a", ")" + std::string(100, 'x') + R"(", "b"]})",
                        R"({"registerMethod": "M", "params": []})",
                        R"({"registerMethod": "Throws", "params": []})",
                        R"({"registerMethod": "ThrowsOther", "params": []})",
                    }));
  host_->Call("M", std::nullopt, 1, "{}");
  host_->Call("M", 0, 7, R"({"params": {}})");
  host_->CheckParams("M", 0, std::nullopt, "ok");
  host_->CheckParams("M", 0, 2, "ok");
  host_->Template("M", std::nullopt);
  host_->ParamNames("M", 0, std::nullopt);
  host_->ParamNames("M", 0, 2);
  host_->Call("Throws", std::nullopt, 1, "{}");
  host_->Call("ThrowsOther", std::nullopt, 1, "{}");
  host_->Call("M", 2, 1, "{}");
  EXPECT_EQ(Take(), (Lines{
                        R"({"invoke": false})",
                        R"({"reply": "7:{\"params\": {}}"})",
                        R"({"checkParams": true})",
                        R"({"checkParams": false})",
                        R"({"template": "{\"template\": true}"})",
                        R"({"paramNames": ["a", ")" + std::string(100, 'x') + R"(", "b"]})",
                        R"({"paramNames": false})",
                        R"({"exception": "bad cast"})",
                        R"({"exception": "unknown exception"})",
                        R"({"error": "no registration 2 of page method M"})",
                    }));
}

TEST_F(HostTest, InboundEntryIsReportedWhereThePluginWritesIt) {
  Load([](FakeAdapter& a) {
    a.Connect("WebTypeSignal", a.Bind<void>([&a] {
      a.adaptor = a.Query<oci::IAdaptorSet>(oci::kAdaptorSetName);
      a.adaptor->InboundText = a.Bind<void, const char*>([&a](const char* text) {
        if (std::string(text) == "throw") throw std::runtime_error("inbound");
        a.Fire("Inbound", {fake::Text(text)});
      });
      a.Connect("Later", a.Bind<void>([] {}));
    }));
  });
  host_->Inbound("early");
  host_->FireSignal("WebTypeSignal", Json::Value(Json::arrayValue));
  host_->Inbound("{\"event\": \"E\"}");
  host_->Inbound("throw");
  EXPECT_EQ(Take(), (Lines{
                        R"({"registerObject": "class Fake::CAdapter"})",
                        R"({"connect": "WebTypeSignal"})",
                        R"({"error": "no inbound entry is installed"})",
                        R"({"query": "struct OrvikComponentInterface::IAdaptorSet"})",
                        R"({"inboundEntry": true})",
                        R"({"connect": "Later"})",
                        R"({"event": "Inbound", "args": [{"text": "{\"event\": \"E\"}"}]})",
                        R"({"exception": "inbound"})",
                    }));
}

TEST_F(HostTest, PlayerStateCallsTheDelegateArmedLastForThePlayer) {
  Load([](FakeAdapter& a) {
    auto* player = a.Query<oci::IPlayerMgrSet>(oci::kPlayerMgrSetName).get();
    oci::PlayerStateDelegate second = a.Bind<bool, int, int, int, int>([&a](int, int id, int state, int) {
      a.Fire("second", {fake::Int(id), fake::Int(state)});
      return true;
    });
    oci::PlayerStateDelegate first = a.Bind<bool, int, int, int, int>([&a, player, second](int, int id, int, int) {
      a.Fire("first", {});
      oci::PlayerStateDelegate again = second;
      player->RewatchPlayerState(id, &again);
      return true;
    });
    player->WatchPlayerState(5, &first);
  });
  Take();
  host_->PlayerState(0, 5, 2, 0);
  host_->PlayerState(0, 5, 3, 0);
  host_->PlayerState(0, 6, 2, 0);
  EXPECT_EQ(Take(), (Lines{
                        R"({"event": "first", "args": []})",
                        R"({"host": "RewatchPlayerState", "args": [5]})",
                        R"({"event": "second", "args": [{"int": 5}, {"int": 3}]})",
                        R"({"error": "no player-state delegate is armed for player 6"})",
                    }));
}

}  // namespace
}  // namespace hostsim
