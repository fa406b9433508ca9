#ifndef LAUNCHER_FIRST_PORT_H_
#define LAUNCHER_FIRST_PORT_H_

#include <string>

namespace Wharfgate {

constexpr int kDefaultPort = 23410;

// The first port to try, from the launcher's command line: the number right
// after the first "://", or at the start when there is none, read as atoi
// reads it.  No number, zero or a negative number gives kDefaultPort.
int FirstPort(const std::string& command_line);

// The port `steps` after `port`.  Wraps around instead of overflowing for
// absurdly large first ports.
int PortAfter(int port, int steps);

}  // namespace Wharfgate

#endif  // LAUNCHER_FIRST_PORT_H_
