// The platform layer on Windows: the Win32 calls themselves.

#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "platform/platform.h"

namespace Platform {

GuardResult CreateInstanceGuard(const char* name) {
  // The handle is never closed: the system releases the mutex when the
  // process ends.
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name);
  if (mutex == nullptr) return GuardResult::kUnguarded;
  return ::GetLastError() == ERROR_ALREADY_EXISTS ? GuardResult::kAlreadyRunning
                                                   : GuardResult::kFirst;
}

void EnsureMessageQueue() {
  // The first message call of a thread creates its queue; until then
  // PostThreadMessageA to it fails.
  MSG msg;
  ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

int NextMessage(Message* message) {
  MSG msg{};
  const BOOL result = ::GetMessageA(&msg, nullptr, 0, 0);
  message->window = reinterpret_cast<std::uintptr_t>(msg.hwnd);
  message->id = msg.message;
  message->wparam = msg.wParam;
  message->lparam = msg.lParam;
  message->time = msg.time;
  message->x = msg.pt.x;
  message->y = msg.pt.y;
  if (result == -1) return -1;
  return result == 0 ? 0 : 1;
}

void DispatchToWindow(const Message& message) {
  MSG msg{};
  msg.hwnd = reinterpret_cast<HWND>(message.window);
  msg.message = message.id;
  msg.wParam = message.wparam;
  msg.lParam = message.lparam;
  msg.time = message.time;
  msg.pt.x = message.x;
  msg.pt.y = message.y;
  ::DispatchMessageA(&msg);
}

// A windowless program has no console to be interrupted from.
void QuitOnTerminationSignals() {}

const char kModuleSuffix[] = ".dll";

ModuleHandle OpenModule(const std::string& path) {
  return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* ModuleExport(ModuleHandle module, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void CloseModule(ModuleHandle module) { ::FreeLibrary(static_cast<HMODULE>(module)); }

std::string FileNameOfModuleAt(const void* address) {
  MEMORY_BASIC_INFORMATION region{};
  ::VirtualQuery(address, &region, sizeof region);
  char name[MAX_PATH] = {};
  ::GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), name, MAX_PATH);
  return name;
}

std::string RemoveFileSpec(const std::string& path) {
  char buffer[MAX_PATH] = {};
  path.copy(buffer, MAX_PATH - 1);
  ::PathRemoveFileSpecA(buffer);
  return buffer;
}

}  // namespace Platform
