#include "runtime/module_registry.h"

#include <algorithm>
#include <cstddef>

namespace Foundation {
namespace {

ModuleRegistry* instance = nullptr;

// Unload hook: destroys the registry and forgets it.  It calls no factory and
// touches no adapter; adapters the host still holds are the host's affair.
struct RegistryTeardown {
  ~RegistryTeardown() {
    delete instance;
    instance = nullptr;
  }
} teardown;

}  // namespace

ModuleRegistry& ModuleRegistry::Instance() {
  if (instance == nullptr) instance = new ModuleRegistry;
  return *instance;
}

bool ModuleRegistry::RegisterImplObjectFactory(ImplObjectFactory factory, int order) {
  auto same = [factory](const FactoryEntry& entry) { return entry.factory == factory; };
  if (std::any_of(factories_.begin(), factories_.end(), same)) return true;
  auto later = std::upper_bound(
      factories_.begin(), factories_.end(), order,
      [](int wanted, const FactoryEntry& entry) { return wanted < entry.order; });
  factories_.insert(later, FactoryEntry{factory, order});
  return true;
}

bool ModuleRegistry::RegisterModuleInitFunction(ModuleInitFunction function) {
  init_functions_.push_back(function);
  return true;
}

void ModuleRegistry::InitModule(void* argument) {
  if (initialised_) return;
  initialised_ = true;
  for (ModuleInitFunction function : init_functions_) function(argument);
}

bool ModuleRegistry::LoadImplObjects(OrvikComponentInterface::HostContext* context,
                                     void* reserved) {
  // By index: a factory that registers another one must not invalidate the walk.
  for (std::size_t i = 0; i < factories_.size(); ++i) factories_[i].factory(context, reserved);
  return true;
}

std::vector<ImplObjectFactory> ModuleRegistry::factories() const {
  std::vector<ImplObjectFactory> list;
  list.reserve(factories_.size());
  for (const FactoryEntry& entry : factories_) list.push_back(entry.factory);
  return list;
}

}  // namespace Foundation
