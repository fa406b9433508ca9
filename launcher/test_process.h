#ifndef LAUNCHER_TEST_PROCESS_H_
#define LAUNCHER_TEST_PROCESS_H_

// Process and file handling for tests that run real programs, with one
// implementation per platform behind it.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Wharfgate::Testing {

using Environment = std::vector<std::pair<std::string, std::string>>;

// How long a test waits for a program before it gives up.
constexpr std::chrono::milliseconds kPatience{20000};

// A program started by a test.  It is killed when the object goes.
class ChildProcess {
 public:
  // Starts `program` with the current environment plus `environment`.  Its
  // command line is `arguments` joined by single blanks.
  static std::unique_ptr<ChildProcess> Start(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             const Environment& environment);
  virtual ~ChildProcess() = default;

  // The exit code, or nothing when the program still runs after `timeout`.
  virtual std::optional<int> Wait(std::chrono::milliseconds timeout) = 0;

  // Ends the program at once, the way a crash would.
  virtual void Kill() = 0;

#ifndef _WIN32
  virtual void Signal(int signal) = 0;
  // The process id, for reading the program's figures under /proc.
  virtual long ProcessId() const = 0;
#endif

 protected:
  // For the destructors of the implementations.
  void KillIfRunning();
};

// Runs a program to its end; its exit code, or -1 when it took too long.
int RunToEnd(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const Environment& environment);

// A fresh directory, removed with everything in it when the object goes.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The lines of a text file; none when it does not exist.
std::vector<std::string> ReadLines(const std::filesystem::path& file);

// Polls `condition` until it holds or kPatience has passed.
bool WaitUntil(const std::function<bool()>& condition);

}  // namespace Wharfgate::Testing

#endif  // LAUNCHER_TEST_PROCESS_H_
