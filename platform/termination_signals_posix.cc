// SIGINT and SIGTERM end the main loop as a quit message does.  The signal
// handler only writes a byte to a pipe (all it may safely do); a watcher
// thread turns each byte into a quit message for the thread that asked.
// Signal masks stay untouched, so programs the service starts inherit none.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

#include "platform/platform.h"

namespace Platform {
namespace {

int g_signal_pipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int saved_errno = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = ::write(g_signal_pipe[1], &byte, 1);
  errno = saved_errno;
}

void WatchSignals(ThreadId thread) {
  char byte = 0;
  for (;;) {
    const ssize_t got = ::read(g_signal_pipe[0], &byte, 1);
    if (got == 1) {
      PostQuit(thread);
    } else if (got == 0 || errno != EINTR) {
      return;
    }
  }
}

}  // namespace

void QuitOnTerminationSignals() {
  if (g_signal_pipe[0] >= 0) return;
  if (::pipe2(g_signal_pipe, O_CLOEXEC) != 0) return;
  std::thread(WatchSignals, CurrentThreadId()).detach();

  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace Platform
