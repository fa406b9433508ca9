// Runs the real launcher, copied into a temporary directory beside the test
// service module, and checks what the module recorded.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/test_process.h"
#include "platform/platform.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace Wharfgate {
namespace {

namespace fs = std::filesystem;
using Testing::ChildProcess;
using Testing::Environment;
using Lines = std::vector<std::string>;

std::string Start(int port) { return "start 127.0.0.1 " + std::to_string(port) + " 0"; }
std::string Stop(int port) { return "stop " + std::to_string(port); }

// The start lines of ports first .. first + count - 1.
Lines Starts(int first, int count) {
  Lines lines;
  for (int port = first; port < first + count; ++port) lines.push_back(Start(port));
  return lines;
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// One launcher copy in its own directory, with its own instance guard.
class LauncherTest : public ::testing::Test {
 protected:
  LauncherTest() {
    const fs::path launcher(WHARFGATE_PATH);
    launcher_ = dir_.path() / launcher.filename();
    fs::copy_file(launcher, launcher_);
  }

  // Copies a built module beside the launcher as module `name`, or under its
  // own file name when `name` is empty.
  void Install(const char* built, const std::string& name) {
    const fs::path target = name.empty() ? fs::path(built).filename()
                                         : fs::path(name + Platform::kModuleSuffix);
    fs::copy_file(built, dir_.path() / target);
  }

  // Removes everything but the launcher.
  void Clear() {
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_.path())) {
      if (entry.path() != launcher_) fs::remove_all(entry.path());
    }
  }

  void InstallService() { Install(TEST_SERVICE_PATH, "Ferrowyn"); }

  fs::path File(const std::string& name) const { return dir_.path() / name; }

  Environment ServiceEnvironment(const std::string& record, const std::string& start_ok_at,
                                 const std::string& posts) const {
    return {
        {"WHARFGATE_TEST_RECORD", File(record).string()},
        {"WHARFGATE_TEST_START_OK_AT", start_ok_at},
        {"WHARFGATE_TEST_POSTS", posts},
        {"WHARFGATE_TEST_GO", File("go").string()},
        {"XDG_RUNTIME_DIR", dir_.path().string()},
    };
  }

  std::unique_ptr<ChildProcess> Launch(const std::vector<std::string>& arguments,
                                       const Environment& environment) const {
    auto child = ChildProcess::Start(launcher_, arguments, environment);
    EXPECT_NE(child, nullptr);
    return child;
  }

  // Runs the launcher to its end and expects exit code 0.
  void Run(const std::vector<std::string>& arguments, const Environment& environment) const {
    EXPECT_EQ(Testing::RunToEnd(launcher_, arguments, environment), 0);
  }

  Lines Record(const std::string& record = "record") const { return Testing::ReadLines(File(record)); }

  // Waits until the record holds `line`.
  bool WaitForLine(const std::string& line, const std::string& record = "record") const {
    return Testing::WaitUntil([&] {
      const Lines lines = Record(record);
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    });
  }

  Testing::TemporaryDirectory dir_;
  fs::path launcher_;
};

TEST_F(LauncherTest, ProbesNinePortsFromTheCommandLinePort) {
  struct Case {
    std::vector<std::string> arguments;
    const char* start_ok_at;
    int first;
    int starts;
    int stop;
  };
  const Case cases[] = {
      {{"scheme://23500/path"}, "0", 23500, 9, 23509},
      {{"23500"}, "0", 23500, 9, 23509},
      {{"scheme://23500", "more", "words"}, "0", 23500, 9, 23509},
      {{}, "0", 23410, 9, 23419},
      {{"no-digits"}, "0", 23410, 9, 23419},
      {{"-5"}, "0", 23410, 9, 23419},
      {{"scheme://host:23500"}, "0", 23410, 9, 23419},
      {{"23500"}, "3", 23500, 3, 23502},
      {{"23500"}, "1", 23500, 1, 23500},
  };
  for (const Case& c : cases) {
    std::string trace = "start succeeds at call " + std::string(c.start_ok_at) + ", arguments:";
    for (const std::string& argument : c.arguments) trace += " [" + argument + "]";
    SCOPED_TRACE(trace);
    Clear();
    InstallService();

    Run(c.arguments, ServiceEnvironment("record", c.start_ok_at, "quit"));

    EXPECT_EQ(Record(), Concat({{"load Ferrowyn"}, Starts(c.first, c.starts),
                                {Stop(c.stop), "unload Ferrowyn"}}));
  }
}

TEST_F(LauncherTest, RunsEachTaskOnceOnTheMainThreadInPostingOrder) {
  InstallService();
  Run({}, ServiceEnvironment("record", "1", "null,task,message,task,null,task,quit"));

  EXPECT_EQ(Record(), (Lines{"load Ferrowyn", Start(23410),
                             "run 1 main", "release 1 main",
                             "run 2 main", "release 2 main",
                             "run 3 main", "release 3 main",
                             Stop(23410), "unload Ferrowyn"}));
}

TEST_F(LauncherTest, SecondCopyEndsAtOnceAndLeavesTheFirstAlone) {
  InstallService();
  auto first = Launch({"23500"}, ServiceEnvironment("record", "1", "wait,task,quit"));
  ASSERT_TRUE(WaitForLine(Start(23500)));

  Run({"23600"}, ServiceEnvironment("second", "1", "quit"));
  EXPECT_EQ(Record("second"), Lines{});
  EXPECT_FALSE(first->Wait(std::chrono::milliseconds(0)).has_value());

  std::ofstream(File("go")).put('\n');
  EXPECT_EQ(first->Wait(Testing::kPatience), 0);
  EXPECT_EQ(Record(), (Lines{"load Ferrowyn", Start(23500), "run 1 main", "release 1 main",
                             Stop(23500), "unload Ferrowyn"}));
}

TEST_F(LauncherTest, GuardOfAKilledCopyIsReleased) {
  InstallService();
  auto first = Launch({}, ServiceEnvironment("record", "1", "wait"));
  ASSERT_TRUE(WaitForLine(Start(23410)));
  first->Kill();
  ASSERT_TRUE(first->Wait(Testing::kPatience).has_value());

  Run({}, ServiceEnvironment("second", "1", "quit"));
  EXPECT_EQ(Record("second"), (Lines{"load Ferrowyn", Start(23410), Stop(23410),
                                     "unload Ferrowyn"}));
}

TEST_F(LauncherTest, ChoosesAndDrivesTheServiceModule) {
  struct Installed {
    const char* built;
    const char* name;
  };
  struct Case {
    const char* what;
    std::vector<Installed> modules;
    Environment extra;
    Lines record;
  };
  const Lines ferrowyn_ran = {"load Ferrowyn", Start(23410), Stop(23410), "unload Ferrowyn"};
  const Case cases[] = {
      {"both present: Ferrowyn only",
       {{TEST_SERVICE_PATH, "Ferrowyn"}, {TEST_SERVICE_PATH, "Pellimar"}}, {}, ferrowyn_ran},
      {"Ferrowyn missing: Pellimar",
       {{TEST_SERVICE_PATH, "Pellimar"}}, {},
       {"load Pellimar", Start(23410), Stop(23410), "unload Pellimar"}},
      {"both missing: nothing", {}, {}, {}},
      {"no StartHttpSvr: nothing called, no fallback",
       {{TEST_SERVICE_WITHOUT_START_PATH, "Ferrowyn"}, {TEST_SERVICE_PATH, "Pellimar"}}, {},
       {"load Ferrowyn", "unload Ferrowyn"}},
      {"no StopHttpSvr: the stop is skipped",
       {{TEST_SERVICE_WITHOUT_STOP_PATH, "Ferrowyn"}}, {{"WHARFGATE_TEST_POST_INLINE", "1"}},
       {"load Ferrowyn", Start(23410), "unload Ferrowyn"}},
      {"the module's dependency is found beside it",
       {{TEST_SERVICE_WITH_DEPENDENCY_PATH, "Ferrowyn"},
        {TEST_SERVICE_DEPENDENCY_PATH, ""}},
       {},
       {"load Ferrowyn", "dependency 7", Start(23410), Stop(23410), "unload Ferrowyn"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    for (const Installed& module : c.modules) Install(module.built, module.name);
    Environment environment = ServiceEnvironment("record", "1", "quit");
    environment.insert(environment.end(), c.extra.begin(), c.extra.end());

    Run({}, environment);

    EXPECT_EQ(Record(), c.record);
  }
}

#ifndef _WIN32
TEST_F(LauncherTest, TerminationSignalsStopTheServiceOnThePortInUse) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    Clear();
    InstallService();
    auto launcher = Launch({}, ServiceEnvironment("record", "2", ""));
    ASSERT_TRUE(WaitForLine(Start(23411)));
    launcher->Signal(signal);
    EXPECT_EQ(launcher->Wait(Testing::kPatience), 0);
    EXPECT_EQ(Record(), (Lines{"load Ferrowyn", Start(23410), Start(23411), Stop(23411),
                               "unload Ferrowyn"}));
  }
}
#endif

}  // namespace
}  // namespace Wharfgate
