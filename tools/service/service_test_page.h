// The running launcher with the service module, and a page's WebSocket
// connection to it, for the tests that drive the service from outside.
#ifndef SHIMWELL_TOOLS_SERVICE_SERVICE_TEST_PAGE_H_
#define SHIMWELL_TOOLS_SERVICE_SERVICE_TEST_PAGE_H_

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

#include "launcher/test_process.h"

namespace ferrowyn {
namespace testing_page {

namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
namespace net = boost::asio;
namespace fs = std::filesystem;
using tcp = net::ip::tcp;
using Wharfgate::Testing::ChildProcess;
using Wharfgate::Testing::TemporaryDirectory;

constexpr std::chrono::milliseconds kWait{10000};

// A port nothing listens on at the moment.
inline int FreePort() {
  net::io_context ioc;
  tcp::acceptor acceptor(ioc, tcp::endpoint(net::ip::make_address("127.0.0.1"), 0));
  return acceptor.local_endpoint().port();
}

inline std::string Compact(const Json::Value& value) {
  Json::StreamWriterBuilder builder;
  builder["indentation"] = "";
  return Json::writeString(builder, value);
}

inline Json::Value Parse(const std::string& text) {
  Json::Value value;
  std::istringstream in(text);
  EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &value, nullptr)) << text;
  return value;
}

// The launcher with the service, in a temporary runtime and data directory.
class RunningService {
 public:
  explicit RunningService(const Wharfgate::Testing::Environment& extra = {}) : port_(FreePort()) {
    Wharfgate::Testing::Environment environment = {
        {"XDG_RUNTIME_DIR", dir_.path().string()},
        {"FERROWYN_DATA_DIR", (dir_.path() / "data").string()},
        {"FERROWYN_DOWNLOAD_MS", "300"},
        {"FERROWYN_MAX_CONNECTIONS", "3"},
        {"FERROWYN_ORIGINS", "http://page.test"},
    };
    for (const auto& [name, value] : extra) {
      auto same = std::find_if(environment.begin(), environment.end(),
                               [&name = name](const auto& entry) { return entry.first == name; });
      if (same != environment.end()) {
        same->second = value;
      } else {
        environment.emplace_back(name, value);
      }
    }
    process_ = ChildProcess::Start(WHARFGATE_PATH, {std::to_string(port_)}, environment);
  }
  int port() const { return port_; }
  ChildProcess& process() { return *process_; }
  fs::path data_dir() const { return dir_.path() / "data"; }
  // Stops the launcher with `signal`, as Ctrl-C or kill does, and expects a
  // clean end.  A windowless Windows program gets no such signal; there the
  // launcher is killed when this object goes.
  void Stop(int signal) {
#ifdef _WIN32
    static_cast<void>(signal);
#else
    process_->Signal(signal);
    EXPECT_EQ(process_->Wait(kWait), 0);
#endif
  }

 private:
  TemporaryDirectory dir_;
  int port_;
  std::unique_ptr<ChildProcess> process_;
};

// A page's connection.  Every wait is bounded.
class Page {
 public:
  explicit Page(int port) : port_(port), ws_(ioc_) {}

  // Connects and upgrades; the HTTP status of a refused upgrade, 101 when
  // accepted, 0 when the service could not be reached.
  int Connect(const std::string& origin, std::optional<std::string> host = std::nullopt,
              const std::string& path = "/plugin") {
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    const tcp::endpoint endpoint(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port_));
    for (;;) {
      beast::error_code error;
      beast::get_lowest_layer(ws_).socket().close(error);
      beast::get_lowest_layer(ws_).socket().connect(endpoint, error);
      if (!error) break;
      if (std::chrono::steady_clock::now() > deadline) return 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ws_.set_option(websocket::stream_base::decorator([origin](websocket::request_type& request) {
      if (!origin.empty()) request.set(http::field::origin, origin);
    }));
    websocket::response_type response;
    beast::error_code error;
    bool done = false;
    ws_.async_handshake(response, host.value_or("127.0.0.1:" + std::to_string(port_)), path,
                        [&](beast::error_code ec) {
                          error = ec;
                          done = true;
                        });
    Run(done);
    return done ? static_cast<int>(response.result_int()) : -1;
  }
  int Open(const std::string& origin = "") {
    return Connect(origin.empty() ? "http://127.0.0.1:" + std::to_string(port_) : origin);
  }

  void SendText(const std::string& text) {
    const beast::error_code error = TrySend(text);
    EXPECT_FALSE(error) << error.message();
  }
  // Sends one message; the error, or operation_aborted when the write did
  // not finish within `timeout`.
  beast::error_code TrySend(const std::string& text, bool binary = false,
                            std::chrono::milliseconds timeout = kWait) {
    ws_.binary(binary);
    bool done = false;
    beast::error_code error;
    ws_.async_write(net::buffer(text), [&](beast::error_code ec, std::size_t) {
      error = ec;
      done = true;
    });
    Run(done, timeout);
    return done ? error : net::error::operation_aborted;
  }
  int Call(const std::string& method, const Json::Value& params = Json::Value(Json::objectValue)) {
    Json::Value call;
    call["id"] = ++last_id_;
    call["method"] = method;
    call["params"] = params;
    SendText(Compact(call));
    return last_id_;
  }

  // The next message, or nothing when the connection closed or nothing came.
  std::optional<Json::Value> Next() {
    beast::flat_buffer buffer;
    bool done = false;
    beast::error_code error;
    ws_.async_read(buffer, [&](beast::error_code ec, std::size_t) {
      error = ec;
      done = true;
    });
    Run(done);
    if (!done || error) {
      closed_ = error;
      return std::nullopt;
    }
    return Parse(beast::buffers_to_string(buffer.data()));
  }
  // The answer to call `id`; events and view states before it are kept.
  Json::Value AnswerTo(int id) {
    while (std::optional<Json::Value> message = Next()) {
      if ((*message)["id"] == id) return *message;
      seen_.push_back(*message);
    }
    ADD_FAILURE() << "no answer to " << id << ": " << closed_.message();
    return Json::Value();
  }
  Json::Value Result(const std::string& method, const Json::Value& params = Json::Value(Json::objectValue)) {
    return AnswerTo(Call(method, params))["result"];
  }
  // Waits for a page event by name.
  std::optional<Json::Value> Event(const std::string& name) { return Find("event", name); }
  // Waits for a message whose `key` is `value` (or present, for null).
  std::optional<Json::Value> Find(const std::string& key, const Json::Value& value = Json::Value()) {
    for (std::size_t i = 0;; ++i) {
      if (i == seen_.size()) {
        std::optional<Json::Value> message = Next();
        if (!message) return std::nullopt;
        seen_.push_back(*message);
      }
      if (value.isNull() ? seen_[i].isMember(key) : seen_[i][key] == value) return seen_[i];
    }
  }
  // The newest view state received so far.
  Json::Value LastViewState() const {
    for (auto it = seen_.rbegin(); it != seen_.rend(); ++it) {
      if (it->isMember("viewState")) return (*it)["viewState"];
    }
    return Json::Value();
  }
  bool Publishes(const std::string& method) const { return methods_.count(method) > 0; }
  void OpenSession() {
    const Json::Value result = Result("session.open", Params({{"pageType", "web3.0"}}));
    for (const Json::Value& method : result["methods"]) methods_[method["name"].asString()] = method;
  }

  static Json::Value Params(std::initializer_list<std::pair<const char*, Json::Value>> members) {
    Json::Value params(Json::objectValue);
    for (const auto& [key, value] : members) params[key] = value;
    return params;
  }

  websocket::stream<beast::tcp_stream>& ws() { return ws_; }
  beast::error_code closed() const { return closed_; }
  const std::map<std::string, Json::Value>& methods() const { return methods_; }

 private:
  void Run(bool& done, std::chrono::milliseconds timeout = kWait) {
    ioc_.restart();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done && std::chrono::steady_clock::now() < deadline) ioc_.run_for(std::chrono::milliseconds(50));
    if (!done) {
      beast::get_lowest_layer(ws_).socket().cancel();
      ioc_.restart();
      ioc_.run_for(std::chrono::milliseconds(200));
    }
  }

  int port_;
  net::io_context ioc_;
  websocket::stream<beast::tcp_stream> ws_;
  int last_id_ = 0;
  std::vector<Json::Value> seen_;
  std::map<std::string, Json::Value> methods_;
  beast::error_code closed_;
};

}  // namespace testing_page
}  // namespace ferrowyn

#endif  // SHIMWELL_TOOLS_SERVICE_SERVICE_TEST_PAGE_H_
