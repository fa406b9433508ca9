#ifndef LAUNCHER_WHARFGATE_H_
#define LAUNCHER_WHARFGATE_H_

#include <string>

namespace Wharfgate {

constexpr char kInstanceGuardName[] = "Wharfgate23410";
constexpr int kPortsToProbe = 9;

// The whole launcher: single instance, service module, port probing, the
// main thread's task loop, stopping the service.  `command_line` is the text
// after the program's name.  Always returns 0, the exit code.
int RunWharfgate(const std::string& command_line);

}  // namespace Wharfgate

#endif  // LAUNCHER_WHARFGATE_H_
