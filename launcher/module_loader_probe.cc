// Drives the process-wide ModuleLoader for module_loader_test, which can only
// watch it from outside: the loader is created before main, from the
// program's own directory, and tears down after main.
//
// Each argument is a step:
//   NAME        Load(NAME); records "Load NAME -> K", K numbering the
//               distinct handles in order of appearance, or "-> null"
//   hide:NAME   renames the module file NAME out of the way
//   show:NAME   puts it back
// Lines go to the file named by WHARFGATE_TEST_RECORD, where the test
// service modules record their loading and unloading too.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "launcher/module_loader.h"
#include "platform/platform.h"

namespace {

void Record(const std::string& line) {
  if (std::FILE* file = std::fopen(std::getenv("WHARFGATE_TEST_RECORD"), "a")) {
    std::fputs((line + "\n").c_str(), file);
    std::fclose(file);
  }
}

std::filesystem::path ModuleFile(const std::string& name) {
  const std::filesystem::path program =
      Platform::FileNameOfModuleAt(reinterpret_cast<const void*>(&ModuleFile));
  return program.parent_path() / (name + Platform::kModuleSuffix);
}

std::filesystem::path HiddenFile(const std::string& name) {
  return ModuleFile(name).string() + ".hidden";
}

}  // namespace

int main(int argc, char** argv) {
  std::map<Platform::ModuleHandle, int> numbers;
  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    if (step.rfind("hide:", 0) == 0) {
      std::filesystem::rename(ModuleFile(step.substr(5)), HiddenFile(step.substr(5)));
    } else if (step.rfind("show:", 0) == 0) {
      std::filesystem::rename(HiddenFile(step.substr(5)), ModuleFile(step.substr(5)));
    } else {
      Platform::ModuleHandle module = Wharfgate::ModuleLoader::Instance().Load(step);
      const std::string number =
          module == nullptr ? "null" : std::to_string(numbers.emplace(module, numbers.size() + 1).first->second);
      Record("Load " + step + " -> " + number);
    }
  }
  return 0;
}
