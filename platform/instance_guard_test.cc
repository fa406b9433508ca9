#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace Platform {
namespace {

TEST(InstanceGuardTest, OnlyTheFirstCreationHoldsTheGuard) {
  const std::string name = "WharfgateGuardTest";
#ifndef _WIN32
  // Keep the guard file away from real launchers.
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / name;
  std::filesystem::create_directories(dir);
  ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
#endif
  EXPECT_EQ(CreateInstanceGuard(name.c_str()), GuardResult::kFirst);
  EXPECT_EQ(CreateInstanceGuard(name.c_str()), GuardResult::kAlreadyRunning);
  EXPECT_EQ(CreateInstanceGuard((name + "Other").c_str()), GuardResult::kFirst);
#ifndef _WIN32
  ::setenv("XDG_RUNTIME_DIR", (dir / "missing").c_str(), 1);
  EXPECT_EQ(CreateInstanceGuard(name.c_str()), GuardResult::kUnguarded);
  ::unsetenv("XDG_RUNTIME_DIR");
  std::filesystem::remove_all(dir);
#endif
}

}  // namespace
}  // namespace Platform
