#include "tools/service/service_config.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace ferrowyn {
namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

template <typename T>
T NumberFromEnvironment(const char* name, T fallback) {
  const std::string text = Environment(name);
  if (text.empty()) return fallback;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  return end != nullptr && *end == '\0' && value > 0 ? static_cast<T>(value) : fallback;
}

fs::path DefaultDataDir() {
#ifdef _WIN32
  if (std::string base = Environment("LOCALAPPDATA"); !base.empty()) return fs::path(base) / "Ferrowyn";
#else
  if (std::string base = Environment("XDG_DATA_HOME"); !base.empty()) return fs::path(base) / "ferrowyn";
  if (std::string home = Environment("HOME"); !home.empty()) return fs::path(home) / ".local/share/ferrowyn";
#endif
  return fs::temp_directory_path() / "ferrowyn";
}

#ifdef _WIN32
constexpr char kPluginFile[] = "Shimwell.dll";
#else
constexpr char kPluginFile[] = "Shimwell.so";
#endif

fs::path DefaultPlugin(const fs::path& module_dir) {
  // Beside the module in an installation, in ../lib in the build tree.
  if (fs::exists(module_dir / kPluginFile)) return module_dir / kPluginFile;
  return module_dir.parent_path() / "lib" / kPluginFile;
}

fs::path DefaultWebDir(const fs::path& module_dir) {
#ifdef FERROWYN_SOURCE_WEB_DIR
  if (fs::is_directory(FERROWYN_SOURCE_WEB_DIR)) return FERROWYN_SOURCE_WEB_DIR;
#endif
  return module_dir / "web";
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return text;
}

}  // namespace

ServiceConfig ConfigFromEnvironment(const std::string& address, int port, const fs::path& module_dir) {
  ServiceConfig config;
  config.address = address;
  config.port = port;
  const std::string data = Environment("FERROWYN_DATA_DIR");
  config.data_dir = data.empty() ? DefaultDataDir() : fs::path(data);
  const std::string plugin = Environment("FERROWYN_PLUGIN");
  config.plugin_path = plugin.empty() ? DefaultPlugin(module_dir) : fs::path(plugin);
  const std::string web = Environment("FERROWYN_WEB_DIR");
  config.web_dir = web.empty() ? DefaultWebDir(module_dir) : fs::path(web);
  std::istringstream origins(Environment("FERROWYN_ORIGINS"));
  for (std::string origin; std::getline(origins, origin, ',');) {
    if (!origin.empty()) config.extra_origins.push_back(origin);
  }
  config.max_connections = NumberFromEnvironment("FERROWYN_MAX_CONNECTIONS", config.max_connections);
  config.idle_timeout = std::chrono::seconds(NumberFromEnvironment("FERROWYN_IDLE_SECONDS", 900));
  config.handshake_timeout = std::chrono::seconds(NumberFromEnvironment("FERROWYN_HANDSHAKE_SECONDS", 10));
  config.download_time = std::chrono::milliseconds(NumberFromEnvironment("FERROWYN_DOWNLOAD_MS", 3000));
  config.bench_echo = Environment("FERROWYN_BENCH_ECHO") == "1";
  config.device_faults = Environment("FERROWYN_DEVICE_FAULTS") == "1";
  return config;
}

bool OriginAllowed(const ServiceConfig& config, const std::string& origin) {
  const std::string port = ":" + std::to_string(config.port);
  const std::string own[] = {"http://127.0.0.1" + port, "http://localhost" + port};
  const std::string lowered = Lower(origin);
  if (std::find(std::begin(own), std::end(own), lowered) != std::end(own)) return true;
  return std::find(config.extra_origins.begin(), config.extra_origins.end(), origin) != config.extra_origins.end();
}

bool HostAllowed(const ServiceConfig& config, const std::string& host) {
  const std::string port = ":" + std::to_string(config.port);
  const std::string lowered = Lower(host);
  return lowered == "127.0.0.1" + port || lowered == "localhost" + port || lowered == config.address + port;
}

}  // namespace ferrowyn
