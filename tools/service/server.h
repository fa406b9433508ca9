// Server: the reference service's HTTP and WebSocket endpoint.  Network I/O
// runs on a thread of its own; each page connection's session lives on the
// launcher's main thread and is reached only through posted tasks.
#ifndef SHIMWELL_TOOLS_SERVICE_SERVER_H_
#define SHIMWELL_TOOLS_SERVICE_SERVER_H_

#include <memory>
#include <string>

#include "platform/post_task.h"
#include "tools/hostsim/plugin_exports.h"
#include "tools/service/service_config.h"

namespace ferrowyn {

class Server {
 public:
  // Listens on the configured address and port, or returns null with the
  // reason in `error`.  Called on the main thread, whose id is `main`.
  static std::unique_ptr<Server> Start(const ServiceConfig& config, const hostsim::PluginExports& plugin,
                                       Platform::ThreadId main, std::string* error);
  virtual ~Server() = default;

  // Closes every connection, joins the network thread and releases the
  // sessions.  Called on the main thread once its loop no longer runs tasks.
  virtual void Stop() = 0;
};

}  // namespace ferrowyn

#endif  // SHIMWELL_TOOLS_SERVICE_SERVER_H_
