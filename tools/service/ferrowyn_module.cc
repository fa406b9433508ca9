// The service module's two exports, as the launcher calls them.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/post_task.h"
#include "tools/hostsim/plugin_exports.h"
#include "tools/service/server.h"
#include "tools/service/service_config.h"

#ifdef _WIN32
#include <windows.h>
#define FERROWYN_EXPORT extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define FERROWYN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// The folder this module was loaded from.
std::filesystem::path ModuleDir() {
#ifdef _WIN32
  HMODULE self = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleDir), &self);
  char name[MAX_PATH] = {};
  ::GetModuleFileNameA(self, name, MAX_PATH);
  return std::filesystem::path(name).parent_path();
#else
  Dl_info info{};
  ::dladdr(reinterpret_cast<const void*>(&ModuleDir), &info);
  return std::filesystem::path(info.dli_fname != nullptr ? info.dli_fname : "").parent_path();
#endif
}

// Both live on the main thread, from a successful start to the stop.
std::unique_ptr<hostsim::PluginLibrary> g_plugin;
std::unique_ptr<ferrowyn::Server> g_server;

}  // namespace

FERROWYN_EXPORT int StartHttpSvr(const char* address, int port, int /*reserved*/) {
  if (g_server || address == nullptr) return 0;
  const ferrowyn::ServiceConfig config = ferrowyn::ConfigFromEnvironment(address, port, ModuleDir());
  if (!g_plugin) {
    std::string error;
    g_plugin = hostsim::PluginLibrary::Load(config.plugin_path.string(), &error);
    if (!g_plugin) {
      std::fprintf(stderr, "Ferrowyn: cannot load the plug-in: %s\n", error.c_str());
      return 0;
    }
  }
  std::error_code ignored;
  std::filesystem::create_directories(config.data_dir, ignored);
  std::string error;
  g_server = ferrowyn::Server::Start(config, g_plugin->exports(), Platform::CurrentThreadId(), &error);
  if (!g_server) {
    std::fprintf(stderr, "Ferrowyn: cannot listen on %s:%d: %s\n", address, port, error.c_str());
    return 0;
  }
  std::printf("Ferrowyn: open http://%s:%d/ in a browser (data in %s)\n", address, port,
              config.data_dir.string().c_str());
  std::fflush(stdout);
  return 1;
}

FERROWYN_EXPORT int StopHttpSvr(int /*port*/) {
  if (g_server) g_server->Stop();
  g_server.reset();
  g_plugin.reset();
  return 0;
}
