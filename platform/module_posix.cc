// Modules on POSIX: dlopen by full path, never through a search path.  The
// launcher is linked so that a module's own dependencies are found beside
// it (see platform/CMakeLists.txt).

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/platform.h"

namespace Platform {
namespace {

std::string ProgramFileName() {
  char buffer[PATH_MAX] = {};
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

const char kModuleSuffix[] = ".so";

ModuleHandle OpenModule(const std::string& path) {
  return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* ModuleExport(ModuleHandle module, const char* name) { return ::dlsym(module, name); }

void CloseModule(ModuleHandle module) { ::dlclose(module); }

std::string FileNameOfModuleAt(const void* address) {
  Dl_info info{};
  link_map* module = nullptr;
  if (::dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 ||
      module == nullptr) {
    return std::string();
  }
  // For the program itself the loader reports the name it was started by,
  // which may be relative or a bare name found on PATH; ask the kernel.
  if (module->l_name == nullptr || module->l_name[0] == '\0') return ProgramFileName();
  return info.dli_fname != nullptr ? std::string(info.dli_fname) : std::string();
}

std::string RemoveFileSpec(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace Platform
