// The four entry points the component host calls on the plug-in.  They know
// no adapter: everything runs through the module registry.
#include "runtime/module_registry.h"

#ifdef _WIN32
#define SHIMWELL_CDECL __cdecl
#else
#define SHIMWELL_CDECL
#endif

using OrvikComponentInterface::HostContext;

extern "C" {

void SHIMWELL_CDECL CheckModule() {}

void SHIMWELL_CDECL InitModule(void* argument) {
  Foundation::ModuleRegistry::Instance().InitModule(argument);
}

bool SHIMWELL_CDECL LoadImplObjects(HostContext* context, void* reserved) {
  return Foundation::ModuleRegistry::Instance().LoadImplObjects(context, reserved);
}

void SHIMWELL_CDECL ClearModule(void* /*argument*/) {}

}  // extern "C"
