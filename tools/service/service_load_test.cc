// The service under load and under hostile pages and a faulty device, run
// against the launcher on loopback.  Every call must be answered exactly
// once and in order; nothing may crash, hang past its time-out, or hold on
// to memory.  FERROWYN_LOAD_CALLS sets the calls per session for a longer
// soak (a few dozen by default).
#include <csignal>
#include <cstdlib>
#include <fstream>

#include "tools/service/service_test_page.h"

namespace ferrowyn {
namespace {

using namespace testing_page;
using Wharfgate::Testing::Environment;

constexpr int kSessions = 50;

// AddressSanitizer keeps freed memory in quarantine, so the resident set of
// a sanitized service grows whatever it frees; its leak check stands in.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSetMeaningful = false;
#else
constexpr bool kResidentSetMeaningful = true;
#endif

int CallsPerSession() {
  const char* text = std::getenv("FERROWYN_LOAD_CALLS");
  const int calls = text != nullptr ? std::atoi(text) : 0;
  return calls > 0 ? calls : 40;
}

// The resident set of a running program, in KiB.
long ResidentKiB(const ChildProcess& process) {
  std::ifstream status("/proc/" + std::to_string(process.ProcessId()) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

Json::Value LoginParams() {
  return Page::Params({{"ip", "10.0.0.2"}, {"port", 80}, {"username", "admin"}, {"password", "admin"},
                       {"specCap", 0}});
}

// Reads until the answer to each of `ids`, in that order, has come; any
// other answer, or a second answer to one of them, is a failure.  Returns
// how many events came in between.
int ExpectAnswersInOrder(Page& page, const std::vector<int>& ids) {
  int events = 0;
  std::size_t next = 0;
  while (next < ids.size()) {
    const std::optional<Json::Value> message = page.Next();
    if (!message) {
      ADD_FAILURE() << "connection ended before the answer to " << ids[next] << ": "
                    << page.closed().message();
      return events;
    }
    if (message->isMember("event")) ++events;
    if (!message->isMember("id")) continue;
    EXPECT_EQ((*message)["id"], ids[next]) << "answers come in order, each once: " << Compact(*message);
    EXPECT_TRUE(message->isMember("result") || message->isMember("error")) << Compact(*message);
    ++next;
  }
  return events;
}

// 50 sessions at once, each logged in, then calls in batches sent to every
// session before any answer is read.
void RunSessions(int port, int calls) {
  std::vector<std::unique_ptr<Page>> pages;
  for (int i = 0; i < kSessions; ++i) {
    pages.push_back(std::make_unique<Page>(port));
    ASSERT_EQ(pages.back()->Open(), 101) << "session " << i;
    pages.back()->OpenSession();
  }
  const bool live = pages.front()->Publishes("LoginDeviceEx");
  if (live) {
    for (auto& page : pages) EXPECT_EQ(page->Result("LoginDeviceEx", LoginParams()), 0);
  }
  constexpr int kBatch = 10;
  std::vector<int> events(pages.size(), 0);
  for (int sent = 0; sent < calls; sent += kBatch) {
    std::vector<std::vector<int>> ids(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
      for (int i = 0; i < kBatch; ++i) {
        // Live video makes the plug-in fire events between the answers.
        if (live && (sent + i) % 5 == 0) {
          ids[p].push_back(pages[p]->Call("ConnectRealVideo", Page::Params({{"channel", 1}, {"stream", 0}})));
        } else {
          ids[p].push_back(pages[p]->Call("host.selectView", Page::Params({{"view", 0}})));
        }
      }
    }
    for (std::size_t p = 0; p < pages.size(); ++p) events[p] += ExpectAnswersInOrder(*pages[p], ids[p]);
  }
  if (live) {
    for (std::size_t p = 0; p < pages.size(); ++p) EXPECT_GT(events[p], 0) << "session " << p << " saw events";
  }
}

TEST(ServiceLoadTest, FiftySessionsAreAnsweredOnceInOrderAndMemoryStaysFlat) {
  RunningService service(Environment{{"FERROWYN_MAX_CONNECTIONS", std::to_string(kSessions + 4)}});
  const int calls = CallsPerSession();
  // The first run warms the allocator and the plug-in's one-time state.
  RunSessions(service.port(), calls);
  const long warm = ResidentKiB(service.process());
  RunSessions(service.port(), calls);
  // Sessions end on the service's own time after their pages go.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const long after = ResidentKiB(service.process());
  ASSERT_GT(warm, 0);
  if (kResidentSetMeaningful) {
    EXPECT_LT(after - warm, 8 * 1024) << "KiB resident: " << warm << " after the first run, " << after
                                      << " after the second";
  }
  service.process().Signal(SIGTERM);
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

// --- Hostile pages.

// Raw bytes of a masked client text frame that announces `length` bytes.
std::string FrameHeader(std::size_t length) {
  std::string header = {'\x81', static_cast<char>(0x80 | 126), static_cast<char>(length >> 8),
                        static_cast<char>(length & 0xff), '\x01', '\x02', '\x03', '\x04'};
  return header;
}

void WriteRaw(Page& page, const std::string& bytes) {
  beast::error_code ignored;
  net::write(beast::get_lowest_layer(page.ws()).socket(), net::buffer(bytes), ignored);
}

struct HostileCase {
  const char* name;
  void (*act)(Page& page);
};

const HostileCase kHostilePages[] = {
    {"vanishes mid-call",
     [](Page& page) {
       page.OpenSession();
       for (int i = 0; i < 20; ++i) page.Call("host.selectView", Page::Params({{"view", 0}}));
       beast::error_code ignored;
       beast::get_lowest_layer(page.ws()).socket().close(ignored);
     }},
    {"sends half a frame and leaves",
     [](Page& page) {
       WriteRaw(page, FrameHeader(200) + "{\"id\": 1");
       beast::error_code ignored;
       beast::get_lowest_layer(page.ws()).socket().close(ignored);
     }},
    {"sends half a frame and waits",
     [](Page& page) {
       WriteRaw(page, FrameHeader(200) + "{\"id\": 1");
       EXPECT_FALSE(page.Next()) << "the idle time-out ends it";
     }},
    {"sends a 10 MiB frame",
     [](Page& page) {
       const beast::error_code sent = page.TrySend(std::string(10 << 20, ' '));
       EXPECT_NE(sent, net::error::operation_aborted) << "the service ended the connection";
       EXPECT_FALSE(page.Next());
     }},
    {"sends invalid UTF-8",
     [](Page& page) {
       EXPECT_FALSE(page.TrySend(R"({"id": 9, "method": "x)" "\xff\xfe" R"("})"));
       EXPECT_FALSE(page.Next());
       EXPECT_EQ(page.ws().reason().code, websocket::close_code::bad_payload);
     }},
    {"sends a binary frame",
     [](Page& page) {
       EXPECT_FALSE(page.TrySend(R"({"id": 1, "method": "session.open", "params": {"pageType": "web3.0"}})", true));
       EXPECT_FALSE(page.Next()) << "no answer to a binary message";
       EXPECT_EQ(page.ws().reason().code, websocket::close_code::unknown_data);
     }},
    {"never reads its socket",
     [](Page& page) {
       // Each call is answered with an error that repeats its 60 KiB method
       // name; the service must stop reading long before it has queued
       // what the calls below would make (about 120 MiB).
       page.OpenSession();
       const std::string call = R"({"id": 1, "method": ")" + std::string(60 << 10, 'm') + R"("})";
       int sent = 0;
       while (sent < 2000 && !page.TrySend(call, false, std::chrono::milliseconds(500))) ++sent;
       EXPECT_LT(sent, 2000) << "the service kept reading a page that reads nothing";
     }},
};

// A fresh page, retried while the service still frees the slot of one
// that went; its calls are answered.
void ExpectHealthyPage(int port) {
  const auto deadline = std::chrono::steady_clock::now() + kWait;
  for (;;) {
    Page page(port);
    const int status = page.Open();
    if (status == 101) {
      page.OpenSession();
      EXPECT_TRUE(page.Result("host.selectView", Page::Params({{"view", 0}})).asBool());
      return;
    }
    ASSERT_EQ(status, 503);
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "a slot stayed taken";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

TEST(ServiceFaultTest, HostilePagesEndWithoutHarmAndFreeTheirSlot) {
  // Two slots: one for the hostile page, one for a healthy page beside it.
  RunningService service(Environment{{"FERROWYN_MAX_CONNECTIONS", "2"}, {"FERROWYN_IDLE_SECONDS", "2"}, {"FERROWYN_HANDSHAKE_SECONDS", "1"}});
  // With two slots, a slot a hostile page left taken fails the next case.
  for (const HostileCase& c : kHostilePages) {
    SCOPED_TRACE(c.name);
    {
      Page hostile(service.port());
      ASSERT_EQ(hostile.Open(), 101);
      c.act(hostile);
      ExpectHealthyPage(service.port());
    }
    ExpectHealthyPage(service.port());
  }
  ASSERT_FALSE(service.process().Wait(std::chrono::milliseconds(0))) << "the service still runs";
  service.process().Signal(SIGTERM);
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

TEST(ServiceFaultTest, EveryMethodIsAnsweredWhenTheDeviceRepliesBadly) {
  RunningService service(Environment{{"FERROWYN_DEVICE_FAULTS", "1"}});
  Page page(service.port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  page.Result("session.createView");
  // Each method four times, so that its requests meet every kind of bad reply.
  std::vector<int> ids;
  for (const auto& [name, method] : page.methods()) {
    const Json::Value params = method["template"].isObject() ? method["template"] : Json::Value(Json::objectValue);
    for (int i = 0; i < 4; ++i) ids.push_back(page.Call(name, params));
  }
  ExpectAnswersInOrder(page, ids);
  EXPECT_TRUE(page.Result("host.selectView", Page::Params({{"view", 0}})).asBool());
  service.process().Signal(SIGTERM);
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

// A lone surrogate escape reads as bytes that are no UTF-8; whatever the
// plug-in and device make of them, every message the page gets must still
// be valid text (the client refuses a text message that is not).
TEST(ServiceFaultTest, LoneSurrogatesComeBackAsValidText) {
  RunningService service;
  Page page(service.port());
  ASSERT_EQ(page.Open(), 101);
  page.OpenSession();
  if (!page.Publishes("CreateMainVideoAnalyseShape")) GTEST_SKIP() << "no analysis adapter";
  EXPECT_TRUE(page.Result("EnableVideoAnalyseModule", Page::Params({{"flag", true}})).asBool());
  page.SendText(R"({"id": 100, "method": "CreateMainVideoAnalyseShape", "params": {"winID": 0,)"
                R"( "eventName": "e\udc00", "shapeType": "Rect", "makedName": "Rect\udfff",)"
                R"( "data": "{\"Rect\\udc00\": [[1, 2], [3, 4]]}", "param": "\udc00"}})");
  const Json::Value shape_id = page.AnswerTo(100)["result"];
  ASSERT_TRUE(shape_id.isInt()) << Compact(shape_id);
  page.SendText(R"({"id": 101, "method": "GetVideoAnalyseShapeConfigData", "params": {"shapeID": )" +
                std::to_string(shape_id.asInt()) + "}}");
  EXPECT_TRUE(page.AnswerTo(101).isMember("result"));
  page.SendText(R"({"id": 102, "method": "no\udc00such"})");
  EXPECT_EQ(page.AnswerTo(102)["error"]["code"], -32601);
  EXPECT_TRUE(page.Result("host.selectView", Page::Params({{"view", 0}})).asBool()) << "the connection stays";
  service.process().Signal(SIGTERM);
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

TEST(ServiceStopTest, ManySessionsMidCallEndInOrderAndTheServiceExits) {
  RunningService service(Environment{{"FERROWYN_MAX_CONNECTIONS", "16"}});
  std::vector<std::unique_ptr<Page>> pages;
  for (int i = 0; i < 10; ++i) {
    pages.push_back(std::make_unique<Page>(service.port()));
    ASSERT_EQ(pages.back()->Open(), 101);
    pages.back()->OpenSession();
  }
  for (auto& page : pages) {
    for (int i = 0; i < 30; ++i) page->Call("host.selectView", Page::Params({{"view", 0}}));
  }
  service.process().Signal(SIGTERM);
  for (auto& page : pages) {
    int expected = 2;  // the first call opened the session
    while (std::optional<Json::Value> message = page->Next()) {
      if (!message->isMember("id")) continue;
      EXPECT_EQ((*message)["id"], expected++) << "answers stay in order, none twice";
      EXPECT_TRUE((*message)["result"].asBool());
    }
    EXPECT_NE(page->closed(), net::error::operation_aborted) << "the service ended the connection";
  }
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

// --- Time-outs.

TEST(ServiceTimeoutTest, IdlePagesAndSilentClientsAreCutActivePagesStay) {
  RunningService service(Environment{{"FERROWYN_IDLE_SECONDS", "1"}, {"FERROWYN_HANDSHAKE_SECONDS", "1"}});
  Page active(service.port());
  ASSERT_EQ(active.Open(), 101);
  active.OpenSession();
  Page idle(service.port());
  ASSERT_EQ(idle.Open(), 101);

  // A client that connects and sends nothing, and one that stops halfway
  // through its request.
  net::io_context ioc;
  const tcp::endpoint endpoint(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(service.port()));
  tcp::socket silent(ioc);
  tcp::socket partial(ioc);
  silent.connect(endpoint);
  partial.connect(endpoint);
  net::write(partial, net::buffer(std::string("GET /plugin HTTP/1.1\r\nHost: 127.0.0.1\r\n")));

  // The active page calls more often than the idle time-out.
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(active.Result("host.selectView", Page::Params({{"view", 0}})).asBool()) << i;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  EXPECT_FALSE(idle.Next());
  EXPECT_NE(idle.closed(), net::error::operation_aborted) << "the service cut the idle page";
  for (tcp::socket* socket : {&silent, &partial}) {
    char byte = 0;
    beast::error_code error;
    // Both were cut long ago; a read that waited would fail the test by its time-out.
    socket->read_some(net::buffer(&byte, 1), error);
    EXPECT_TRUE(error == net::error::eof || error == net::error::connection_reset) << error.message();
  }
  service.process().Signal(SIGTERM);
  EXPECT_EQ(service.process().Wait(kWait), 0);
}

}  // namespace
}  // namespace ferrowyn
