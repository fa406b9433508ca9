// shimwell-bench-service: the running launcher with the service, measured
// from a client process over loopback WebSockets.
//
//   shimwell-bench-service LAUNCHER OUTPUT_JSON
//
// Round trips: page calls (through the service, the plug-in and the
// simulated device and back) against the service's bare echo on the same
// server stack, over one connection and over eight, interleaved
// repetitions, medians of each run's calls per second, p50 and p99.
// Memory: the process's resident memory idle, with one open page session
// and with fifty.  Every run is bounded in calls and in time, and a watchdog
// ends the launcher when the whole takes too long.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <json/reader.h>
#include <json/writer.h>

#include "tools/bench/service_process.h"

namespace bench {
namespace {

namespace beast = boost::beast;
namespace websocket = beast::websocket;
namespace net = boost::asio;
using tcp = net::ip::tcp;
using Clock = std::chrono::steady_clock;

long Setting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  const long value = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
  return value > 0 ? value : fallback;
}

// The page call every round trip makes: one request to the simulated
// device, one plain answer.
const char kMethod[] = "SetFeShowMode";
const char kParams[] = R"({"mode": 3})";

// One page's connection, blocking: each runs on a thread of its own.
class Client {
 public:
  Client(int port, const char* path) : ws_(ioc_) {
    const std::string host = "127.0.0.1:" + std::to_string(port);
    ws_.next_layer().connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port)));
    ws_.next_layer().set_option(tcp::no_delay(true));
    ws_.set_option(websocket::stream_base::decorator(
        [origin = "http://" + host](websocket::request_type& request) { request.set("Origin", origin); }));
    ws_.handshake(host, path);
    ws_.text(true);
  }
  ~Client() {
    beast::error_code ignored;
    ws_.close(websocket::close_code::normal, ignored);
  }

  // Sends a call and waits for its answer; events and view states pushed
  // meanwhile are skipped.
  Json::Value Call(const std::string& method, const std::string& params) {
    const int id = ++last_id_;
    ws_.write(net::buffer("{\"id\": " + std::to_string(id) + ", \"method\": \"" + method +
                          "\", \"params\": " + params + "}"));
    for (;;) {
      buffer_.clear();
      ws_.read(buffer_);
      const auto data = buffer_.cdata();
      const char* text = static_cast<const char*>(data.data());
      Json::Value message;
      if (!reader_->parse(text, text + data.size(), &message, nullptr)) throw std::runtime_error("not JSON");
      if (message.isObject() && message["id"] == id) return message;
    }
  }

  // Opens the page session and logs in, so that calls reach the device.
  void OpenSession() {
    for (const auto& [method, params] :
         {std::pair<const char*, const char*>{"session.open", R"({"pageType": "web3.0"})"},
          {"session.createView", "{}"},
          {"LoginDeviceEx", R"({"ip": "10.0.0.2", "port": 80, "username": "admin", "password": "admin", "specCap": 0})"},
          {kMethod, kParams}}) {
      const Json::Value answer = Call(method, params);
      if (answer.isMember("error")) {
        throw std::runtime_error(std::string(method) + " failed: " + Json::FastWriter().write(answer));
      }
    }
  }

 private:
  net::io_context ioc_;
  websocket::stream<tcp::socket> ws_;
  beast::flat_buffer buffer_;
  int last_id_ = 0;
  std::unique_ptr<Json::CharReader> reader_{Json::CharReaderBuilder().newCharReader()};
};

// Calls `expire` unless it is destroyed within `patience`.
class Watchdog {
 public:
  Watchdog(std::chrono::seconds patience, std::function<void()> expire)
      : thread_([this, patience, expire = std::move(expire)] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!finished_.wait_for(lock, patience, [this] { return done_; })) expire();
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    finished_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  std::thread thread_;
};

struct RunFigures {
  double calls_per_second = 0;
  double p50_us = 0;
  double p99_us = 0;
};

double Percentile(std::vector<double>& values, double fraction) {
  if (values.empty()) return 0;
  const auto at = values.begin() + static_cast<long>(fraction * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

// `calls` round trips on each of `connections` connections at once, each
// stopping early at `limit`.
RunFigures RoundTrips(int port, bool page, int connections, int calls, Clock::duration limit) {
  std::vector<std::unique_ptr<Client>> clients;
  for (int i = 0; i < connections; ++i) {
    clients.push_back(std::make_unique<Client>(port, page ? "/plugin" : "/echo"));
    if (page) clients.back()->OpenSession();
    for (int warm = 0; warm < 20; ++warm) clients.back()->Call(kMethod, kParams);
  }
  std::vector<std::vector<double>> latencies(clients.size());
  std::vector<std::thread> threads;
  const Clock::time_point start = Clock::now();
  const Clock::time_point deadline = start + limit;
  for (std::size_t i = 0; i < clients.size(); ++i) {
    threads.emplace_back([&, i] {
      latencies[i].reserve(static_cast<std::size_t>(calls));
      for (int call = 0; call < calls && Clock::now() < deadline; ++call) {
        const Clock::time_point sent = Clock::now();
        clients[i]->Call(kMethod, kParams);
        latencies[i].push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::vector<double> all;
  for (const std::vector<double>& some : latencies) all.insert(all.end(), some.begin(), some.end());
  RunFigures figures;
  figures.calls_per_second = static_cast<double>(all.size()) / seconds;
  figures.p50_us = Percentile(all, 0.50);
  figures.p99_us = Percentile(all, 0.99);
  return figures;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A line of the table: our figure, its floor and which way is better.
Json::Value Line(double ours, double floor, const char* unit, double goal, bool higher_is_better) {
  Json::Value line;
  line["ours"] = ours;
  line["floor"] = floor;
  line["unit"] = unit;
  line["goal"] = goal;
  line["higher_is_better"] = higher_is_better;
  return line;
}

void RoundTripLines(int port, Json::Value* lines) {
  const int repetitions = static_cast<int>(Setting("E2E_REPETITIONS", 5));
  const auto limit = std::chrono::seconds(Setting("E2E_RUN_SECONDS", 5));
  for (const int connections : {1, 8}) {
    const int calls = static_cast<int>(Setting("E2E_CALLS", 4000)) / connections;
    std::vector<double> rate[2], p50[2], p99[2];  // [echo, page]
    for (int repetition = 0; repetition < repetitions; ++repetition) {
      for (const bool page : {false, true}) {
        const RunFigures figures = RoundTrips(port, page, connections, calls, limit);
        rate[page].push_back(figures.calls_per_second);
        p50[page].push_back(figures.p50_us);
        p99[page].push_back(figures.p99_us);
      }
    }
    const std::string name = "e2e/" + std::to_string(connections) + (connections == 1 ? "conn" : "conns");
    // Goals: at least half the echo's rate, p99 at most twice the echo's.
    (*lines)[name + "/calls_per_s"] = Line(Median(rate[1]), Median(rate[0]), "1/s", 0.5, true);
    (*lines)[name + "/p50_us"] = Line(Median(p50[1]), Median(p50[0]), "us", 0, false);
    (*lines)[name + "/p99_us"] = Line(Median(p99[1]), Median(p99[0]), "us", 2.0, false);
  }
}

// Resident memory idle and per open page session, with one and fifty.
void MemoryLines(ServiceProcess& service, Json::Value* lines) {
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const long idle = service.ResidentKiB();
  (*lines)["memory/idle_kib"] = Line(static_cast<double>(idle), -1, "KiB", 16 * 1024, false);
  std::vector<std::unique_ptr<Client>> pages;
  for (const std::size_t sessions : {std::size_t{1}, std::size_t{50}}) {
    while (pages.size() < sessions) {
      pages.push_back(std::make_unique<Client>(service.port(), "/plugin"));
      pages.back()->OpenSession();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double growth = static_cast<double>(service.ResidentKiB() - idle) / static_cast<double>(sessions);
    (*lines)["memory/per_session_kib/" + std::to_string(sessions)] = Line(growth, -1, "KiB", 1024, false);
  }
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: shimwell-bench-service LAUNCHER OUTPUT_JSON\n");
    return 2;
  }
  try {
    Json::Value lines(Json::objectValue);
    {
      // The memory figures come from a fresh process, before any round trip.
      bench::ServiceProcess service(argv[1], {{"FERROWYN_MAX_CONNECTIONS", "64"}}, std::chrono::seconds(20));
      bench::MemoryLines(service, &lines);
    }
    bench::ServiceProcess service(argv[1], {{"FERROWYN_MAX_CONNECTIONS", "64"}}, std::chrono::seconds(20));
    // Past its time the launcher is killed, and every blocked client sees
    // its connection end.
    const bench::Watchdog watchdog(std::chrono::seconds(bench::Setting("E2E_TOTAL_SECONDS", 300)),
                                   [&service] { service.Kill(); });
    bench::RoundTripLines(service.port(), &lines);
    std::ofstream out(argv[2]);
    out << Json::StyledWriter().write(lines);
    return out ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "shimwell-bench-service: %s\n", error.what());
    return 1;
  }
}
