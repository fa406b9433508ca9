// Linked first, but runs second.
#include "adapters/testing/test_factory.h"
#include "runtime/module_registry.h"

namespace ShimwellTesting {
namespace {

void CreateLate(OrvikComponentInterface::HostContext* context, void*) {
  RegisterTestObject(context, "class Test::Late");
}

void CreateUnplaced(OrvikComponentInterface::HostContext* context, void*) {
  RegisterTestObject(context, "class Test::Unplaced");
}

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateUnplaced, Foundation::kLastOrder);
SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateLate, Foundation::kPlaybackOrder);

}  // namespace
}  // namespace ShimwellTesting
