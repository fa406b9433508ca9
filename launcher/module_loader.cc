#include "launcher/module_loader.h"

namespace Wharfgate {

namespace {
ModuleLoader* g_instance = nullptr;
}  // namespace

// Creates the loader during start-up and tears it down during the exit
// processing that follows main.
class ModuleLoaderLifetime {
 public:
  ModuleLoaderLifetime() { ModuleLoader::Instance(); }
  ~ModuleLoaderLifetime() {
    delete g_instance;
    g_instance = nullptr;
  }
};

namespace {
ModuleLoaderLifetime g_lifetime;
}  // namespace

ModuleLoader& ModuleLoader::Instance() {
  // Created here on first use, so that start-up code running before
  // g_lifetime finds it too.
  if (g_instance == nullptr) g_instance = new ModuleLoader;
  return *g_instance;
}

ModuleLoader::ModuleLoader()
    : directory_(Platform::RemoveFileSpec(
          Platform::FileNameOfModuleAt(reinterpret_cast<const void*>(&ModuleLoader::Instance)))) {}

ModuleLoader::~ModuleLoader() {
  for (const auto& [name, module] : cache_) Platform::CloseModule(module);
}

Platform::ModuleHandle ModuleLoader::Load(const std::string& name) {
  auto cached = cache_.find(name);
  if (cached != cache_.end()) return cached->second;

  // A forward slash before the name on every platform; Windows accepts it.
  const std::string path = directory_ + "/" + name + Platform::kModuleSuffix;
  Platform::ModuleHandle module = Platform::OpenModule(path);
  if (module != nullptr) cache_.emplace(name, module);
  return module;
}

}  // namespace Wharfgate
