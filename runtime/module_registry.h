// ModuleRegistry: what the plug-in's exports run.
//
// The exports know no adapter.  Each adapter registers one factory while the
// library starts up (SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY, one line at
// namespace scope), and LoadImplObjects runs the factories.  Adapters are
// built in a fixed order whatever order the linker gives their start-up code,
// so each registration names its place in that order.
#ifndef SHIMWELL_RUNTIME_MODULE_REGISTRY_H_
#define SHIMWELL_RUNTIME_MODULE_REGISTRY_H_

#include <climits>
#include <vector>

namespace OrvikComponentInterface {
struct HostContext;
}  // namespace OrvikComponentInterface

namespace Foundation {

// Builds one adapter and registers it with the host.  The second argument is
// passed through from LoadImplObjects unread.
using ImplObjectFactory = void (*)(OrvikComponentInterface::HostContext* context, void* reserved);
// Runs once, from the first InitModule, with its argument.
using ModuleInitFunction = void (*)(void* argument);

// Places of the adapters' factories; LoadImplObjects builds them in this
// order.  A factory registered without a place comes after all of these.
enum ImplObjectOrder : int {
  kLiveViewOrder = 1,
  kPlaybackOrder = 2,
  kRegionClipOrder = 3,
  kVideoAnalysisOrder = 4,
  kLastOrder = INT_MAX,
};

class ModuleRegistry {
 public:
  // The process-wide registry, made on first use and destroyed when the
  // library is unloaded.
  static ModuleRegistry& Instance();

  ModuleRegistry() = default;
  ModuleRegistry(const ModuleRegistry&) = delete;
  ModuleRegistry& operator=(const ModuleRegistry&) = delete;

  // Adds `factory` after every factory of the same or an earlier place,
  // unless that same function is listed already.  Always true.
  bool RegisterImplObjectFactory(ImplObjectFactory factory, int order = kLastOrder);
  // Appends `function` to the module-initialisation list.  Always true.
  bool RegisterModuleInitFunction(ModuleInitFunction function);

  // The first call sets the initialised flag, then runs every
  // module-initialisation function with `argument`; later calls do nothing.
  void InitModule(void* argument);
  // Runs every factory in list order, on every call.  Always true.
  bool LoadImplObjects(OrvikComponentInterface::HostContext* context, void* reserved);

  bool initialised() const { return initialised_; }
  std::vector<ImplObjectFactory> factories() const;

 private:
  struct FactoryEntry {
    ImplObjectFactory factory;
    int order;
  };

  std::vector<FactoryEntry> factories_;
  std::vector<ModuleInitFunction> init_functions_;
  bool initialised_ = false;
};

// Registers a factory during start-up; see SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY.
class ImplObjectFactoryRegistration {
 public:
  ImplObjectFactoryRegistration(ImplObjectFactory factory, int order) {
    ModuleRegistry::Instance().RegisterImplObjectFactory(factory, order);
  }
};

}  // namespace Foundation

#define SHIMWELL_REGISTRY_CONCAT_INNER(a, b) a##b
#define SHIMWELL_REGISTRY_CONCAT(a, b) SHIMWELL_REGISTRY_CONCAT_INNER(a, b)

// One line at namespace scope in the adapter's source file:
//   SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateLiveView, Foundation::kLiveViewOrder);
// The adapter must be linked into the plug-in as object files (an OBJECT
// library), never through a static archive, or the linker drops this line.
#define SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(factory, order)                      \
  static const ::Foundation::ImplObjectFactoryRegistration SHIMWELL_REGISTRY_CONCAT( \
      shimwell_factory_registration_, __LINE__)((factory), (order))

#endif  // SHIMWELL_RUNTIME_MODULE_REGISTRY_H_
