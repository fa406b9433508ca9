#ifndef LAUNCHER_SERVICE_MODULE_H_
#define LAUNCHER_SERVICE_MODULE_H_

// The exports the launcher calls in a service module, looked up by these
// undecorated names.  A module declares them as
//
//   extern "C" int StartHttpSvr(const char* address, int port, int reserved);
//   extern "C" int StopHttpSvr(int port);
//
// StartHttpSvr starts the service on `address` ("127.0.0.1") and `port`;
// `reserved` is always 0; non-zero means started.  It is called on the
// launcher's main thread, whose id (Platform::CurrentThreadId) is the one to
// post tasks to.  StopHttpSvr stops the service after the main loop has
// ended; its result is ignored.

namespace Wharfgate {

using StartHttpSvrProc = int (*)(const char* address, int port, int reserved);
using StopHttpSvrProc = int (*)(int port);

constexpr char kStartHttpSvr[] = "StartHttpSvr";
constexpr char kStopHttpSvr[] = "StopHttpSvr";

}  // namespace Wharfgate

#endif  // LAUNCHER_SERVICE_MODULE_H_
