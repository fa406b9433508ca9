// A shared library with only one of the plug-in's four exports: the host
// must refuse it.
extern "C" void CheckModule() {}
