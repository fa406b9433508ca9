// A service module for the launcher's tests, never shipped.  It records every
// call it receives, one line each, and posts what its environment asks for:
//
//   WHARFGATE_TEST_RECORD       file the record lines are appended to
//   WHARFGATE_TEST_START_OK_AT  N: the Nth StartHttpSvr call succeeds, all
//                               others fail; unset or 0: all fail
//   WHARFGATE_TEST_POSTS        comma-separated steps run once, from the
//                               first StartHttpSvr call on:
//                                 task     a task numbered 1, 2, ... in order
//                                 null     a task message with a null task
//                                 message  another message number
//                                 quit     the quit message
//                                 wait     wait until the file named by
//                                          WHARFGATE_TEST_GO exists
//   WHARFGATE_TEST_GO           see "wait"
//   WHARFGATE_TEST_POST_INLINE  "1": run the steps inside that first call on
//                               the main thread instead of on a thread of
//                               the service
//
// Record lines: "load NAME" and "unload NAME" (NAME is the module's file
// name without directory and suffix), "start ADDRESS PORT RESERVED",
// "stop PORT", "run N main|other", "release N main|other",
// "post failed STEP".  Variants built without StartHttpSvr or StopHttpSvr
// check how the launcher copes with a missing export.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/post_task.h"

#ifdef _WIN32
#define TEST_SERVICE_EXPORT extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define TEST_SERVICE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#ifdef WHARFGATE_TEST_WITH_DEPENDENCY
int TestServiceDependency();
#endif

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void Record(const std::string& line) {
  static std::mutex mutex;
  const std::string path = Environment("WHARFGATE_TEST_RECORD");
  if (path.empty()) return;
  std::lock_guard<std::mutex> lock(mutex);
  if (std::FILE* file = std::fopen(path.c_str(), "a")) {
    std::fputs((line + "\n").c_str(), file);
    std::fclose(file);
  }
}

std::string ModuleName() {
#ifdef _WIN32
  HMODULE self = nullptr;
  ::GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ModuleName), &self);
  char name[MAX_PATH] = {};
  ::GetModuleFileNameA(self, name, MAX_PATH);
  return std::filesystem::path(name).stem().string();
#else
  Dl_info info{};
  ::dladdr(reinterpret_cast<const void*>(&ModuleName), &info);
  return std::filesystem::path(info.dli_fname != nullptr ? info.dli_fname : "").stem().string();
#endif
}

Platform::ThreadId g_main_thread = 0;
std::atomic<bool> g_stopping{false};
std::thread g_steps;
[[maybe_unused]] int g_start_calls = 0;

const char* ThreadName() {
  return Platform::CurrentThreadId() == g_main_thread ? "main" : "other";
}

class RecordingTask final : public Platform::ITask {
 public:
  explicit RecordingTask(int number) : number_(number) {}
  void Run() override { Record("run " + std::to_string(number_) + " " + ThreadName()); }
  void Release() override {
    Record("release " + std::to_string(number_) + " " + ThreadName());
    delete this;
  }

 private:
  ~RecordingTask() = default;
  int number_;
};

void WaitForGo() {
  const std::string go = Environment("WHARFGATE_TEST_GO");
  while (!g_stopping && !std::filesystem::exists(go)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

[[maybe_unused]] void RunSteps(Platform::ThreadId main, const std::string& steps) {
  std::istringstream list(steps);
  int tasks = 0;
  for (std::string step; std::getline(list, step, ',');) {
    bool posted = true;
    if (step == "task") {
      auto* task = new RecordingTask(++tasks);
      posted = Platform::PostTask(main, task);
      if (!posted) task->Release();
    } else if (step == "null") {
      posted = Platform::PostTask(main, nullptr);
    } else if (step == "message") {
      posted = Platform::PostThreadMessageTo(main, 0x0401, 0, 0);
    } else if (step == "quit") {
      posted = Platform::PostQuit(main);
    } else if (step == "wait") {
      WaitForGo();
    }
    if (!posted) Record("post failed " + step);
  }
}

void StopSteps() {
  g_stopping = true;
  if (g_steps.joinable()) g_steps.join();
}

void OnLoad() {
  Record("load " + ModuleName());
#ifdef WHARFGATE_TEST_WITH_DEPENDENCY
  Record("dependency " + std::to_string(TestServiceDependency()));
#endif
}

void OnUnload() {
  StopSteps();
  Record("unload " + ModuleName());
}

}  // namespace

// Loading and unloading are recorded from the module's own entry and exit
// functions, which run when the module is mapped and unmapped.  (Static
// destructors would run from the program's exit processing instead, before
// the launcher frees its modules.)
#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) OnLoad();
  if (reason == DLL_PROCESS_DETACH) OnUnload();
  return TRUE;
}
#else
__attribute__((constructor)) static void RecordLoad() { OnLoad(); }
__attribute__((destructor)) static void RecordUnload() { OnUnload(); }
#endif

#ifndef WHARFGATE_TEST_WITHOUT_START
TEST_SERVICE_EXPORT int StartHttpSvr(const char* address, int port, int reserved) {
  Record("start " + std::string(address) + " " + std::to_string(port) + " " +
         std::to_string(reserved));
  if (++g_start_calls == 1) {
    g_main_thread = Platform::CurrentThreadId();
    const std::string steps = Environment("WHARFGATE_TEST_POSTS");
    if (Environment("WHARFGATE_TEST_POST_INLINE") == "1") {
      RunSteps(g_main_thread, steps);
    } else {
      g_steps = std::thread(RunSteps, g_main_thread, steps);
    }
  }
  return g_start_calls == std::atoi(Environment("WHARFGATE_TEST_START_OK_AT").c_str()) ? 1 : 0;
}
#endif

#ifndef WHARFGATE_TEST_WITHOUT_STOP
TEST_SERVICE_EXPORT int StopHttpSvr(int port) {
  Record("stop " + std::to_string(port));
  StopSteps();
  return 0;
}
#endif
