// Linked last, but runs first.  Also counts module initialisations: the
// argument of InitModule is taken as a pointer to an int counter.
#include "adapters/testing/test_factory.h"
#include "runtime/module_registry.h"

namespace ShimwellTesting {
namespace {

void CreateEarly(OrvikComponentInterface::HostContext* context, void*) {
  RegisterTestObject(context, "class Test::Early");
}

void CountInitialisation(void* counter) { ++*static_cast<int*>(counter); }

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateEarly, Foundation::kLiveViewOrder);
// A second registration of the same factory is dropped.
SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateEarly, Foundation::kLiveViewOrder);

[[maybe_unused]] const bool init_registered =
    Foundation::ModuleRegistry::Instance().RegisterModuleInitFunction(&CountInitialisation);

}  // namespace
}  // namespace ShimwellTesting
