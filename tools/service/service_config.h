// The reference service's configuration: where it listens, which pages may
// connect, where the plug-in, the web files and the data directory are.
// Taken from environment variables with sensible defaults (see README).
#ifndef SHIMWELL_TOOLS_SERVICE_SERVICE_CONFIG_H_
#define SHIMWELL_TOOLS_SERVICE_SERVICE_CONFIG_H_

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace ferrowyn {

struct ServiceConfig {
  std::string address;
  int port = 0;
  std::filesystem::path data_dir;
  std::filesystem::path plugin_path;
  std::filesystem::path web_dir;
  std::vector<std::string> extra_origins;
  std::size_t max_connections = 8;
  std::size_t max_message = 1 << 20;
  std::chrono::seconds handshake_timeout{10};
  std::chrono::seconds idle_timeout{900};
  std::chrono::milliseconds download_time{3000};
  // Serves a bare WebSocket echo at /echo, the floor the end-to-end
  // benchmark compares page calls with.  Off unless the benchmark asks.
  bool bench_echo = false;
  // Fault tests only: the simulated device answers with broken replies.
  bool device_faults = false;
};

// The configuration for `address` and `port`, completed from the
// environment.  `module_dir` is the folder of the service module.
ServiceConfig ConfigFromEnvironment(const std::string& address, int port,
                                    const std::filesystem::path& module_dir);

// Whether a WebSocket upgrade from a page of `origin` is accepted: the
// service's own origins on 127.0.0.1 and localhost, and the extra ones.
bool OriginAllowed(const ServiceConfig& config, const std::string& origin);

// Whether a request's Host header names this service, so that a name that
// merely resolves to the loopback address (DNS rebinding) is refused.
bool HostAllowed(const ServiceConfig& config, const std::string& host);

}  // namespace ferrowyn

#endif  // SHIMWELL_TOOLS_SERVICE_SERVICE_CONFIG_H_
