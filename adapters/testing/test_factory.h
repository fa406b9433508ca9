// Test-only factories: each registers a named object with the host, so that a
// test host sees which factories ran and in which order.
#ifndef SHIMWELL_ADAPTERS_TESTING_TEST_FACTORY_H_
#define SHIMWELL_ADAPTERS_TESTING_TEST_FACTORY_H_

#include <string>

#include "host/host_context.h"

namespace ShimwellTesting {

// Registers a text object under `type_name`, as an adapter registers itself.
inline void RegisterTestObject(OrvikComponentInterface::HostContext* context,
                               const char* type_name) {
  Foundation::Any object{std::string(type_name)};
  OrvikComponentInterface::CallPair(context->RegisterImplObject, "", type_name, &object);
}

}  // namespace ShimwellTesting

#endif  // SHIMWELL_ADAPTERS_TESTING_TEST_FACTORY_H_
