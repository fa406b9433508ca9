#ifndef PLATFORM_POST_TASK_H_
#define PLATFORM_POST_TASK_H_

// What a service module needs to hand work to the launcher's main thread.
//
// The launcher calls the service's StartHttpSvr on its main thread; the
// service remembers CurrentThreadId() there.  Any thread of the service may
// later post a task to that id.  The main thread runs each task and then
// releases it, one task at a time, in the order the tasks were posted, and
// never touches a task again after Release.  PostQuit ends the main thread's
// loop; the launcher then calls StopHttpSvr and exits.
//
// Posting fails (returns false) when the thread has no message queue, for
// example because it has ended.  A task whose posting failed still belongs
// to the caller, who must release it.  Tasks still queued when the loop ends
// are neither run nor released.
//
// The header behaves the same on every platform.  On Windows a task is the
// thread message kTaskMessage with the task in lParam; elsewhere the
// launcher exports the message queue functions declared below.

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Platform {

using ThreadId = std::uint32_t;

constexpr std::uint32_t kQuitMessage = 0x0012;  // WM_QUIT
constexpr std::uint32_t kTaskMessage = 0x0465;  // WM_USER + 101

// A unit of work for the main thread.  The launcher only uses the table of
// virtual operations: Run at slot 1, then Release at slot 2.  Slot 0 is the
// owner's and is never called by the launcher; it exists so that Run and
// Release keep their slots with every compiler (a virtual destructor would
// take one slot with some compilers and two with others).
class ITask {
 public:
  virtual void Reserved() {}
  virtual void Run() = 0;
  virtual void Release() = 0;

 protected:
  ~ITask() = default;
};

}  // namespace Platform

#ifndef _WIN32
// Implemented by the launcher's message queue and exported from its
// executable; the service module resolves them when it is loaded.
extern "C" int WharfgatePostThreadMessage(std::uint32_t thread, std::uint32_t message,
                                          std::uintptr_t wparam, std::intptr_t lparam);
extern "C" std::uint32_t WharfgateCurrentThreadId();
#endif

namespace Platform {

// The id of the calling thread, as PostTask and PostQuit expect it.
inline ThreadId CurrentThreadId() {
#ifdef _WIN32
  return static_cast<ThreadId>(::GetCurrentThreadId());
#else
  return WharfgateCurrentThreadId();
#endif
}

// Posts a thread message; true when it was queued.
inline bool PostThreadMessageTo(ThreadId thread, std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) {
  // No thread has id 0, yet wine's PostThreadMessageA reports success for it.
  if (thread == 0) return false;
#ifdef _WIN32
  return ::PostThreadMessageA(static_cast<DWORD>(thread), static_cast<UINT>(message),
                              static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam)) != 0;
#else
  return WharfgatePostThreadMessage(thread, message, wparam, lparam) != 0;
#endif
}

// Queues `task` for the thread `thread`.  A null task is delivered and
// ignored by the launcher.
inline bool PostTask(ThreadId thread, ITask* task) {
  return PostThreadMessageTo(thread, kTaskMessage, 0, reinterpret_cast<std::intptr_t>(task));
}

// Ends the message loop of the thread `thread` once the messages posted
// before have been handled.
inline bool PostQuit(ThreadId thread) {
  return PostThreadMessageTo(thread, kQuitMessage, 0, 0);
}

}  // namespace Platform

#endif  // PLATFORM_POST_TASK_H_
