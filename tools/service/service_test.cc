// The running launcher with the service module, driven by real WebSocket
// clients the way a page drives it.
#include <csignal>

#include "tools/service/service_test_page.h"

namespace ferrowyn {
namespace {

using namespace testing_page;

// One service for the tests that do not stop it.
class ServiceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { service_ = new RunningService(); }
  static void TearDownTestSuite() {
    service_->Stop(SIGTERM);
    delete service_;
  }
  static int port() { return service_->port(); }
  static RunningService* service_;
};
RunningService* ServiceTest::service_ = nullptr;

TEST_F(ServiceTest, SessionOpensAndPublishesMethodsWithTemplates) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  const Json::Value answer = page.AnswerTo(page.Call("session.open", Page::Params({{"pageType", "web3.0"}})));
  ASSERT_TRUE(answer["result"]["methods"].isArray()) << Compact(answer);
  EXPECT_FALSE(answer["result"]["methods"].empty());
  for (const Json::Value& method : answer["result"]["methods"]) {
    EXPECT_TRUE(method["name"].isString());
    EXPECT_TRUE(method["params"].isArray());
    // A method without parameters has a null template.
    EXPECT_TRUE(method["params"].empty() ? method["template"].isNull() : method["template"].isObject())
        << Compact(method);
  }
  EXPECT_TRUE(page.Result("session.createView").asBool());
  // The view state arrives after the calls that change it.
  const std::optional<Json::Value> state = page.Find("viewState");
  ASSERT_TRUE(state);
  EXPECT_EQ((*state)["viewState"]["split"], 1) << Compact(*state);
}

TEST_F(ServiceTest, BadMessagesGetErrorAnswersAndTheConnectionStays) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  struct Case {
    std::string message;
    int code;
  };
  const Case before_open[] = {
      {"not json", -32700},
      // Nested past the reader's limit: an answer, not a stopped service.
      {std::string(300, '[') + std::string(300, ']'), -32700},
      {"[1, 2]", -32600},
      {R"({"method": "session.open"})", -32600},
      {R"({"id": "x", "method": "session.open"})", -32600},
      {R"({"id": 1, "method": 7})", -32600},
      {R"({"id": 2, "method": "session.open", "params": [1]})", -32602},
      {R"({"id": 3, "method": "session.open", "params": {}})", -32602},
      {R"({"id": 4, "method": "LoginDeviceEx", "params": {}})", -32001},
  };
  for (const Case& c : before_open) {
    page.SendText(c.message);
    const std::optional<Json::Value> answer = page.Next();
    ASSERT_TRUE(answer) << c.message;
    EXPECT_EQ((*answer)["error"]["code"], c.code) << c.message;
  }
  page.OpenSession();
  EXPECT_EQ(page.AnswerTo(page.Call("NoSuchMethod"))["error"]["code"], -32601);
  EXPECT_EQ(page.AnswerTo(page.Call("session.open", Page::Params({{"pageType", "web3.0"}})))["error"]["code"],
            -32001);
  EXPECT_EQ(page.AnswerTo(page.Call("host.selectView", Page::Params({{"view", 5}})))["error"]["code"], -32602);
  if (page.Publishes("GetPlayedTime")) {
    // A parameter of the wrong type is rejected before the plug-in runs.
    EXPECT_EQ(page.AnswerTo(page.Call("GetPlayedTime", Page::Params({{"nope", 1}})))["error"]["code"], -32602);
  }
  EXPECT_TRUE(page.Result("session.createView").asBool()) << "the connection is still up";
}

TEST_F(ServiceTest, LoginAndLiveVideoWithTheirEvents) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  if (!page.Publishes("LoginDeviceEx")) GTEST_SKIP() << "the plug-in has no live-view adapter yet";
  page.Result("session.createView");
  auto login = [&](const char* password) {
    return page.Result("LoginDeviceEx", Page::Params({{"ip", "10.0.0.2"}, {"port", 80}, {"username", "admin"},
                                                      {"password", password}, {"specCap", 0}}));
  };
  EXPECT_EQ(login("wrong"), -1);
  EXPECT_EQ(login("admin"), 0);
  EXPECT_EQ(page.Result("ConnectRealVideo", Page::Params({{"channel", 1}, {"stream", 0}})), true);
  const std::optional<Json::Value> state = page.Event("StateChanged");
  ASSERT_TRUE(state);
  EXPECT_EQ((*state)["args"], Parse("[0, 1, 0]"));
}

TEST_F(ServiceTest, DownloadProgressReachesOneHundred) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  if (!page.Publishes("DownloadByRecordFile")) GTEST_SKIP() << "the plug-in has no playback adapter yet";
  EXPECT_EQ(page.Result("DownloadByRecordFile", Page::Params({{"fileInfo", R"({"file": "a"})"},
                                                              {"saveName", "a.rec"}, {"format", "dav"}})),
            1);
  int progress = 0;
  const auto deadline = std::chrono::steady_clock::now() + kWait;
  while (progress < 100 && std::chrono::steady_clock::now() < deadline) {
    const int now = page.Result("GetPlaybackMsg", Page::Params({{"lcmd", 0}})).asInt();
    EXPECT_GE(now, progress);
    progress = now;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(progress, 100);
  EXPECT_TRUE(fs::exists(service_->data_dir() / "downloads" / "a.rec"));
}

TEST_F(ServiceTest, ViewStateDrawsAnalysisShapesAndTheClipRegionOnTheirViews) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  if (!page.Publishes("CreateMainVideoAnalyseShape") || !page.Publishes("RegionClip")) {
    GTEST_SKIP() << "the plug-in has no analysis or region clip adapter yet";
  }
  page.Result("session.createView");
  page.Result("SetVideoWndNum", Page::Params({{"num", 4}}));
  page.Result("host.selectView", Page::Params({{"view", 3}}));
  EXPECT_TRUE(page.Result("EnableVideoAnalyseModule", Page::Params({{"flag", true}})).asBool());
  const Json::Value shape_id =
      page.Result("CreateMainVideoAnalyseShape",
                  Page::Params({{"winID", 3}, {"eventName", "Cross"}, {"shapeType", "Rect"}, {"makedName", "Rect"},
                                {"data", R"({"Rect": [[10, 20], [300, 200]]})"}, {"param", ""}}));
  ASSERT_GT(shape_id.asInt(), 0);
  EXPECT_EQ(page.Result("RegionClip", Page::Params({{"width", 704}, {"height", 576}, {"left", 1}, {"top", 2},
                                                   {"right", 30}, {"buttom", 40}})),
            0);
  // The view state follows each answer; one more call collects it.
  page.Result("session.createView");
  const Json::Value state = page.LastViewState();
  EXPECT_EQ(state["analysis"]["enabled"], true) << Compact(state);
  const Json::Value& shape = state["analysis"]["shapes"][shape_id.asString()];
  EXPECT_EQ(shape["view"], 3) << Compact(state);
  EXPECT_EQ(shape["data"]["Rectangle"][1][0], 300) << Compact(state);
  EXPECT_EQ(state["clipView"], 3) << Compact(state);
  EXPECT_EQ(state["clipRegion"]["clipShape"][2][1], 40) << Compact(state);
}

TEST_F(ServiceTest, RefusesForeignOriginsAndHostsAndTooManyConnections) {
  const std::string own = "127.0.0.1:" + std::to_string(port());
  struct Case {
    const char* origin;
    std::string host;
    int status;
  };
  const Case cases[] = {
      {"http://evil.test", own, 403},
      {"", own, 403},
      {"http://127.0.0.1:1", own, 403},
      {"http://page.test", "evil.test:" + std::to_string(port()), 403},
      {"http://page.test", own, 101},
      {"http://localhost:", own, 403},
  };
  for (const Case& c : cases) {
    Page page(port());
    EXPECT_EQ(page.Connect(c.origin, c.host), c.status) << c.origin << " " << c.host;
  }
  // The limit is 3 connections.
  std::vector<std::unique_ptr<Page>> pages;
  for (int i = 0; i < 3; ++i) {
    pages.push_back(std::make_unique<Page>(port()));
    ASSERT_EQ(pages.back()->Open(), 101);
  }
  Page one_more(port());
  EXPECT_EQ(one_more.Open(), 503);
  // The benchmark's bare echo is there only when the benchmark enables it.
  EXPECT_EQ(Page(port()).Connect("http://127.0.0.1:" + std::to_string(port()), std::nullopt, "/echo"), 404);
}

TEST_F(ServiceTest, MessagesOverTheLimitCloseWith1009) {
  Page page(port());
  ASSERT_EQ(page.Open(), 101);
  page.SendText(std::string((1 << 20) + 1, ' '));
  EXPECT_FALSE(page.Next());
  EXPECT_EQ(page.ws().reason().code, websocket::close_code::too_big);
}

TEST_F(ServiceTest, TwoSessionsShareNoState) {
  Page a(port());
  Page b(port());
  ASSERT_EQ(a.Open(), 101);
  ASSERT_EQ(b.Open(), 101);
  a.OpenSession();
  // B has not opened its session, whatever A did.
  EXPECT_EQ(b.AnswerTo(b.Call("session.createView"))["error"]["code"], -32001);
  b.OpenSession();
  EXPECT_TRUE(a.Result("host.selectView", Page::Params({{"view", 0}})).asBool());
  if (!a.Publishes("LoginDeviceEx")) return;
  EXPECT_EQ(a.Result("LoginDeviceEx", Page::Params({{"ip", "10.0.0.2"}, {"port", 80}, {"username", "admin"},
                                                   {"password", "admin"}, {"specCap", 0}})),
            0);
  EXPECT_EQ(b.Result("ConnectRealVideo", Page::Params({{"channel", 1}, {"stream", 0}})), false)
      << "B's device is not logged in";
  EXPECT_EQ(a.Result("ConnectRealVideo", Page::Params({{"channel", 1}, {"stream", 0}})), true);
}

// Only a signal stops the launcher from outside, and Windows has none for a
// windowless program.
#ifndef _WIN32
TEST(ServiceStopTest, CallsInFlightAreAnsweredOrTheConnectionClosesCleanly) {
  RunningService service;
  Page page(service.port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  constexpr int kCalls = 50;
  for (int i = 0; i < kCalls; ++i) page.Call("host.selectView", Page::Params({{"view", 0}}));
  service.process().Signal(SIGINT);
  int answered = 0;
  while (std::optional<Json::Value> message = page.Next()) {
    if (message->isMember("id")) {
      EXPECT_EQ((*message)["id"], answered + 2) << "answers come in order, none twice";
      EXPECT_TRUE((*message)["result"].asBool());
      ++answered;
    }
  }
  EXPECT_LE(answered, kCalls);
  // The service closed the connection (going away) or the socket ended.
  EXPECT_TRUE(page.closed() == websocket::error::closed || page.closed() == net::error::eof ||
              page.closed() == net::error::connection_reset)
      << page.closed().message();
  EXPECT_EQ(service.process().Wait(kWait), 0);
}
#endif

TEST(ServiceHttpTest, ServesFilesAndRefusesPlainRequestsToTheSocket) {
  RunningService service;
  ASSERT_EQ(Page(service.port()).Open(), 101) << "the service runs";
  struct Case {
    const char* target;
    unsigned status;
  };
  const Case cases[] = {{"/", 200}, {"/plugin", 426}, {"/../CMakeLists.txt", 404}, {"/missing.html", 404}};
  for (const Case& c : cases) {
    net::io_context ioc;
    beast::tcp_stream stream(ioc);
    stream.connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(service.port())));
    http::request<http::empty_body> request(http::verb::get, c.target, 11);
    request.set(http::field::host, "127.0.0.1:" + std::to_string(service.port()));
    http::write(stream, request);
    beast::flat_buffer buffer;
    http::response<http::string_body> response;
    http::read(stream, buffer, response);
    EXPECT_EQ(response.result_int(), c.status) << c.target;
  }
  service.Stop(SIGTERM);
}

}  // namespace
}  // namespace ferrowyn
