// The four entry points of a plug-in library, and loading them by path.
#ifndef SHIMWELL_TOOLS_HOSTSIM_PLUGIN_EXPORTS_H_
#define SHIMWELL_TOOLS_HOSTSIM_PLUGIN_EXPORTS_H_

#include <memory>
#include <string>

#include "host/host_context.h"

namespace hostsim {

struct PluginExports {
  void (*CheckModule)() = nullptr;
  void (*InitModule)(void* argument) = nullptr;
  bool (*LoadImplObjects)(OrvikComponentInterface::HostContext* context, void* argument) = nullptr;
  void (*ClearModule)(void* argument) = nullptr;
};

// A loaded plug-in library; unloaded when destroyed.  Everything the plug-in
// handed to a Host must be released before that (destroy the Host first).
class PluginLibrary {
 public:
  // Loads the library at `path` and finds its four exports.  Returns null,
  // with the reason in `error`, when it cannot be loaded or lacks an export.
  static std::unique_ptr<PluginLibrary> Load(const std::string& path, std::string* error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  const PluginExports& exports() const { return exports_; }

 private:
  explicit PluginLibrary(void* handle) : handle_(handle) {}
  void* handle_;
  PluginExports exports_;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_PLUGIN_EXPORTS_H_
