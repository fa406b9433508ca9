// ServiceProcess: the launcher with the service module, started for a
// benchmark in a runtime and data directory of its own on a free loopback
// port, with the bare echo enabled.  Linux only: its resident memory is read
// from /proc.
#ifndef SHIMWELL_TOOLS_BENCH_SERVICE_PROCESS_H_
#define SHIMWELL_TOOLS_BENCH_SERVICE_PROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class ServiceProcess {
 public:
  // Starts `launcher`; throws when it does not listen within `patience`.
  ServiceProcess(const std::filesystem::path& launcher,
                 const std::vector<std::pair<std::string, std::string>>& environment,
                 std::chrono::seconds patience);
  // Stops the process (SIGTERM, then SIGKILL) and removes its directory.
  ~ServiceProcess();
  ServiceProcess(const ServiceProcess&) = delete;
  ServiceProcess& operator=(const ServiceProcess&) = delete;

  int port() const { return port_; }
  // The process's resident memory in KiB (VmRSS).
  long ResidentKiB() const;
  // Ends the process at once; blocked clients then see their sockets close.
  void Kill();

 private:
  std::filesystem::path dir_;
  int port_;
  pid_t pid_ = -1;
};

}  // namespace bench

#endif  // SHIMWELL_TOOLS_BENCH_SERVICE_PROCESS_H_
