#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace Platform {
namespace {

TEST(RemoveFileSpecTest, CutsTheLastComponent) {
  struct Case {
    const char* path;
    const char* directory;
  };
#ifdef _WIN32
  const Case cases[] = {
      {"C:\\app\\Wharfgate.exe", "C:\\app"},
      {"C:\\Wharfgate.exe", "C:\\"},
      {"Wharfgate.exe", ""},
  };
#else
  const Case cases[] = {
      {"/opt/app/Wharfgate", "/opt/app"},
      {"/Wharfgate", "/"},
      {"Wharfgate", ""},
      {"", ""},
  };
#endif
  for (const Case& c : cases) {
    EXPECT_EQ(RemoveFileSpec(c.path), c.directory) << c.path;
  }
}

void FunctionInThisProgram() {}

TEST(FileNameOfModuleAtTest, FindsTheProgramHoldingTheCode) {
  const std::filesystem::path name =
      FileNameOfModuleAt(reinterpret_cast<const void*>(&FunctionInThisProgram));
  EXPECT_TRUE(name.is_absolute()) << name;
  EXPECT_EQ(name.stem(), "platform_test");
  EXPECT_TRUE(std::filesystem::exists(name)) << name;
}

}  // namespace
}  // namespace Platform
