#include "tools/hostsim/plugin_exports.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace hostsim {
namespace {

#ifdef _WIN32
void* OpenLibrary(const std::string& path) { return LoadLibraryA(path.c_str()); }
void* FindSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
std::string LastError() { return "error " + std::to_string(GetLastError()); }
#else
// A bare file name is taken from the current folder, as a user means it,
// not searched for along the library path.
void* OpenLibrary(const std::string& path) {
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* FindSymbol(void* handle, const char* name) { return dlsym(handle, name); }
void CloseLibrary(void* handle) { dlclose(handle); }
std::string LastError() {
  const char* text = dlerror();
  return text ? text : "unknown error";
}
#endif

// Looks `name` up into `function`; false when the library lacks it.
template <typename F>
bool FindExport(void* handle, const char* name, F* function, std::string* missing) {
  void* symbol = FindSymbol(handle, name);
  if (symbol == nullptr) {
    if (!missing->empty()) *missing += ", ";
    *missing += name;
    return false;
  }
  *function = reinterpret_cast<F>(symbol);
  return true;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path, std::string* error) {
  void* handle = OpenLibrary(path);
  if (handle == nullptr) {
    *error = "cannot load " + path + ": " + LastError();
    return nullptr;
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
  PluginExports& e = library->exports_;
  std::string missing;
  FindExport(handle, "CheckModule", &e.CheckModule, &missing);
  FindExport(handle, "InitModule", &e.InitModule, &missing);
  FindExport(handle, "LoadImplObjects", &e.LoadImplObjects, &missing);
  FindExport(handle, "ClearModule", &e.ClearModule, &missing);
  if (!missing.empty()) {
    *error = path + " lacks the export(s) " + missing;
    return nullptr;
  }
  return library;
}

PluginLibrary::~PluginLibrary() { CloseLibrary(handle_); }

}  // namespace hostsim
