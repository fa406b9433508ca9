// A library the test service can depend on, to show that a module's own
// dependencies are found beside it.

#ifdef _WIN32
#define TEST_SERVICE_DEPENDENCY_EXPORT __declspec(dllexport)
#else
#define TEST_SERVICE_DEPENDENCY_EXPORT __attribute__((visibility("default")))
#endif

TEST_SERVICE_DEPENDENCY_EXPORT int TestServiceDependency() { return 7; }
