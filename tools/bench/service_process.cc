#include "tools/bench/service_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace bench {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port nothing listens on at the moment.
int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("no free port");
  }
  ::close(fd);
  return ntohs(address.sin_port);
}

bool Listens(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

}  // namespace

ServiceProcess::ServiceProcess(const std::filesystem::path& launcher,
                               const std::vector<std::pair<std::string, std::string>>& environment,
                               std::chrono::seconds patience)
    : port_(FreePort()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "shimwell-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary directory");
  dir_ = pattern;
  const std::string port = std::to_string(port_);
  const std::string log = (dir_ / "service.log").string();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("cannot start the launcher");
  if (pid_ == 0) {
    ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    ::setenv("FERROWYN_DATA_DIR", (dir_ / "data").c_str(), 1);
    ::setenv("FERROWYN_BENCH_ECHO", "1", 1);
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execl(launcher.c_str(), launcher.c_str(), port.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!Listens(port_)) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw std::runtime_error("the launcher ended at start; see " + log);
    }
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("the launcher does not listen");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

ServiceProcess::~ServiceProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

long ServiceProcess::ResidentKiB() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

void ServiceProcess::Kill() {
  if (pid_ > 0) ::kill(pid_, SIGKILL);
}

}  // namespace bench
