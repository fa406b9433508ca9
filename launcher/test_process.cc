#include "launcher/test_process.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <process.h>
#include <string.h>
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace Wharfgate::Testing {
namespace {

constexpr std::chrono::milliseconds kPollInterval{2};

#ifdef _WIN32

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += argument;
  }
  return line;
}

// The current environment with `overrides` replacing or adding variables,
// as the block CreateProcessA takes.
std::string EnvironmentBlock(const Environment& overrides) {
  std::string block;
  char* strings = ::GetEnvironmentStringsA();
  for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
    const std::string text(entry);
    bool replaced = false;
    for (const auto& [name, value] : overrides) {
      replaced = replaced || _strnicmp(text.c_str(), (name + "=").c_str(), name.size() + 1) == 0;
    }
    if (!replaced) block += text + '\0';
  }
  ::FreeEnvironmentStringsA(strings);
  for (const auto& [name, value] : overrides) block += name + "=" + value + '\0';
  return block + '\0';
}

class WindowsChild : public ChildProcess {
 public:
  explicit WindowsChild(PROCESS_INFORMATION info) : info_(info) {}
  ~WindowsChild() override {
    KillIfRunning();
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }

  std::optional<int> Wait(std::chrono::milliseconds timeout) override {
    if (::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
  }

  void Kill() override { ::TerminateProcess(info_.hProcess, 1); }

 private:
  PROCESS_INFORMATION info_;
};

#else

class PosixChild : public ChildProcess {
 public:
  explicit PosixChild(pid_t pid) : pid_(pid) {}
  ~PosixChild() override { KillIfRunning(); }

  std::optional<int> Wait(std::chrono::milliseconds timeout) override {
    if (status_) return status_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      int status = 0;
      const pid_t done = ::waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return status_;
      }
      if (done < 0 || std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(kPollInterval);
    }
  }

  void Kill() override { Signal(SIGKILL); }

  void Signal(int signal) override {
    if (!status_) ::kill(pid_, signal);
  }

  long ProcessId() const override { return pid_; }

 private:
  pid_t pid_;
  std::optional<int> status_;
};

#endif

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  const Environment& environment) {
#ifdef _WIN32
  std::string command_line = "\"" + program.string() + "\"";
  if (!arguments.empty()) command_line += " " + JoinArguments(arguments);
  std::string block = EnvironmentBlock(environment);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(program.string().c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        0, block.data(), nullptr, &startup, &info)) {
    return nullptr;
  }
  return std::make_unique<WindowsChild>(info);
#else
  std::vector<std::string> texts{program.string()};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    bool replaced = false;
    for (const auto& [name, value] : environment) {
      replaced = replaced || text.compare(0, name.size() + 1, name + "=") == 0;
    }
    if (!replaced) texts.push_back(text);
  }
  for (const auto& [name, value] : environment) texts.push_back(name + "=" + value);

  std::vector<char*> argv;
  std::vector<char*> envp;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    (i <= arguments.size() ? argv : envp).push_back(texts[i].data());
  }
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, texts[0].c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
    return nullptr;
  }
  return std::make_unique<PosixChild>(pid);
#endif
}

void ChildProcess::KillIfRunning() {
  if (Wait(std::chrono::milliseconds(0))) return;
  Kill();
  Wait(kPatience);
}

int RunToEnd(const std::filesystem::path& program, const std::vector<std::string>& arguments,
             const Environment& environment) {
  std::unique_ptr<ChildProcess> child = ChildProcess::Start(program, arguments, environment);
  if (!child) return -1;
  return child->Wait(kPatience).value_or(-1);
}

TemporaryDirectory::TemporaryDirectory() {
  static std::atomic<int> counter{0};
#ifdef _WIN32
  const int process = _getpid();
#else
  const int process = ::getpid();
#endif
  path_ = std::filesystem::temp_directory_path() /
          ("wharfgate-test-" + std::to_string(process) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

}  // namespace Wharfgate::Testing
