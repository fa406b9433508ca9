// The single-instance guard on POSIX: an advisory lock on a file named after
// the guard.  The kernel drops the lock when the process dies, however it
// ends, so a crashed copy never blocks the next one.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace Platform {
namespace {

// The per-user runtime directory when there is one, else the temporary
// directory.
std::string GuardDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] != '\0') return runtime;
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : temp.string();
}

}  // namespace

GuardResult CreateInstanceGuard(const char* name) {
  const std::string path = GuardDirectory() + "/" + name;
  // O_NOFOLLOW: in a shared temporary directory nobody can point the guard
  // at a file of ours.  O_CLOEXEC: programs started later do not hold it.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return GuardResult::kUnguarded;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return GuardResult::kFirst;  // fd kept open
  const int error = errno;
  ::close(fd);
  return error == EWOULDBLOCK ? GuardResult::kAlreadyRunning : GuardResult::kUnguarded;
}

}  // namespace Platform
