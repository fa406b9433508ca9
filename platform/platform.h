#ifndef PLATFORM_PLATFORM_H_
#define PLATFORM_PLATFORM_H_

// The operating-system calls of the launcher behind one interface: the Win32
// calls on Windows (platform_win.cc), their POSIX counterparts elsewhere.

#include <cstdint>
#include <string>

#include "platform/post_task.h"

namespace Platform {

// --- Single instance -------------------------------------------------------

enum class GuardResult {
  kFirst,           // this process holds the guard until it ends
  kAlreadyRunning,  // another process holds it
  kUnguarded,       // the guard could not be created
};

// Creates the process-wide guard `name`, not owned by any thread.  The
// guard is released by the system when the process ends.
GuardResult CreateInstanceGuard(const char* name);

// --- Message queue of the calling thread -----------------------------------

struct Message {
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::uint32_t time = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Gives the calling thread its message queue now, so that messages posted
// to it before its first NextMessage are kept.
void EnsureMessageQueue();

// Waits for the next message of the calling thread: 1 for a message, 0 for
// kQuitMessage, -1 on error.
int NextMessage(Message* message);

// Hands a message to the window procedure it is meant for.
void DispatchToWindow(const Message& message);

// Makes SIGINT and SIGTERM post kQuitMessage to the calling thread, so that
// its loop ends as if the service had asked.  Does nothing on Windows.
void QuitOnTerminationSignals();

// --- Modules ---------------------------------------------------------------

using ModuleHandle = void*;

// The file name ending of loadable modules: ".dll" or ".so".
extern const char kModuleSuffix[];

// Loads the module at `path`; its own dependencies are looked for in its
// directory first.  Null on failure.
ModuleHandle OpenModule(const std::string& path);

// The address of the export `name`, or null.
void* ModuleExport(ModuleHandle module, const char* name);

void CloseModule(ModuleHandle module);

// The full file name of the module (program or library) whose image holds
// `address`; empty when it cannot be found.
std::string FileNameOfModuleAt(const void* address);

// `path` without its last component and without the separator before it.
std::string RemoveFileSpec(const std::string& path);

}  // namespace Platform

#endif  // PLATFORM_PLATFORM_H_
