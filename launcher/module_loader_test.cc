// The process-wide ModuleLoader, watched from outside: module_loader_probe
// loads modules by name from its own directory and the test service modules
// record their loading and unloading.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/test_process.h"
#include "platform/platform.h"

namespace Wharfgate {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

#ifdef _WIN32
constexpr char kSearchPathVariable[] = "PATH";
#else
constexpr char kSearchPathVariable[] = "LD_LIBRARY_PATH";
#endif

TEST(ModuleLoaderTest, LoadsOnceByExactNameFromItsOwnDirectoryAndFreesInNameOrder) {
  struct Case {
    const char* what;
    std::vector<std::string> beside;     // module copies beside the probe
    std::vector<std::string> elsewhere;  // module copies on the search path only
    std::vector<std::string> steps;
    Lines record;
  };
  const Case cases[] = {
      {"a second Load of a name reuses the handle without file access",
       {"Alpha"}, {}, {"Alpha", "hide:Alpha", "Alpha", "show:Alpha"},
       {"load Alpha", "Load Alpha -> 1", "Load Alpha -> 1", "unload Alpha"}},
      {"every module is freed once at exit, in name order",
       {"Gamma", "Alpha", "Beta"}, {}, {"Gamma", "Alpha", "Beta", "Alpha", "Gamma"},
       {"load Gamma", "Load Gamma -> 1", "load Alpha", "Load Alpha -> 2", "load Beta",
        "Load Beta -> 3", "Load Alpha -> 2", "Load Gamma -> 1",
        "unload Alpha", "unload Beta", "unload Gamma"}},
      {"a missing module is tried again by the next Load",
       {"Beta"}, {}, {"hide:Beta", "Beta", "show:Beta", "Beta"},
       {"Load Beta -> null", "load Beta", "Load Beta -> 1", "unload Beta"}},
      {"a module on the search path is never taken",
       {}, {"Alpha"}, {"Alpha"},
       {"Load Alpha -> null"}},
#ifndef _WIN32  // file names differ in case only where the file system says so
      {"names that differ in case are different entries",
       {"alpha", "Alpha"}, {}, {"alpha", "Alpha", "ALPHA", "alpha"},
       {"load alpha", "Load alpha -> 1", "load Alpha", "Load Alpha -> 2", "Load ALPHA -> null",
        "Load alpha -> 1", "unload Alpha", "unload alpha"}},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Testing::TemporaryDirectory dir;
    const fs::path probe = dir.path() / fs::path(PROBE_PATH).filename();
    fs::copy_file(PROBE_PATH, probe);
    const fs::path elsewhere = dir.path() / "elsewhere";
    fs::create_directory(elsewhere);
    for (const std::string& name : c.beside) {
      fs::copy_file(TEST_SERVICE_PATH, dir.path() / (name + Platform::kModuleSuffix));
    }
    for (const std::string& name : c.elsewhere) {
      fs::copy_file(TEST_SERVICE_PATH, elsewhere / (name + Platform::kModuleSuffix));
    }
    const fs::path record = dir.path() / "record";

    EXPECT_EQ(Testing::RunToEnd(probe, c.steps,
                                {{"WHARFGATE_TEST_RECORD", record.string()},
                                 {kSearchPathVariable, elsewhere.string()}}),
              0);

    EXPECT_EQ(Testing::ReadLines(record), c.record);
  }
}

}  // namespace
}  // namespace Wharfgate
