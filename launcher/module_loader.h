#ifndef LAUNCHER_MODULE_LOADER_H_
#define LAUNCHER_MODULE_LOADER_H_

#include <map>
#include <string>

#include "platform/platform.h"

namespace Wharfgate {

// Loads modules by base name from the directory of the module that holds
// this code (the launcher's own directory), never through a search path.
// Each name is loaded once; every loaded module is freed once, in name
// order, when the program exits.  One instance per process, created before
// main runs; only the main thread uses it.
class ModuleLoader {
 public:
  static ModuleLoader& Instance();

  // `name` has no directory and no extension, such as "Ferrowyn".  Returns
  // the cached handle for a name loaded before, else loads the module; null
  // when it cannot be loaded (a later call tries again).
  Platform::ModuleHandle Load(const std::string& name);

  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

 private:
  friend class ModuleLoaderLifetime;

  ModuleLoader();
  ~ModuleLoader();

  std::map<std::string, Platform::ModuleHandle> cache_;  // byte-wise, case-sensitive
  std::string directory_;
};

}  // namespace Wharfgate

#endif  // LAUNCHER_MODULE_LOADER_H_
