#include "launcher/wharfgate.h"

#include "launcher/first_port.h"
#include "launcher/module_loader.h"
#include "launcher/service_module.h"
#include "platform/platform.h"

namespace Wharfgate {
namespace {

template <typename Proc>
Proc FindExport(Platform::ModuleHandle module, const char* name) {
  return reinterpret_cast<Proc>(Platform::ModuleExport(module, name));
}

// Tries up to kPortsToProbe ports from `first`; returns the port that
// started, or first + kPortsToProbe when none did.
int ProbePorts(StartHttpSvrProc start, int first) {
  int port = first;
  for (int i = 0; i < kPortsToProbe; ++i) {
    if (start("127.0.0.1", port, 0) != 0) break;
    port = PortAfter(port, 1);
  }
  return port;
}

// Runs the tasks posted to the main thread until a quit message or an error.
void RunTaskLoop() {
  Platform::Message message;
  while (Platform::NextMessage(&message) > 0) {
    if (message.id != Platform::kTaskMessage) {
      Platform::DispatchToWindow(message);
      continue;
    }
    auto* task = reinterpret_cast<Platform::ITask*>(message.lparam);
    if (task == nullptr) continue;
    task->Run();
    task->Release();
  }
}

}  // namespace

int RunWharfgate(const std::string& command_line) {
  if (Platform::CreateInstanceGuard(kInstanceGuardName) == Platform::GuardResult::kAlreadyRunning) {
    return 0;
  }
  // Before the service is loaded: its threads may post from that moment on.
  Platform::EnsureMessageQueue();
  Platform::QuitOnTerminationSignals();

  ModuleLoader& loader = ModuleLoader::Instance();
  Platform::ModuleHandle service = loader.Load("Ferrowyn");
  if (service == nullptr) service = loader.Load("Pellimar");
  if (service == nullptr) return 0;

  const auto start = FindExport<StartHttpSvrProc>(service, kStartHttpSvr);
  if (start == nullptr) return 0;
  const int port = ProbePorts(start, FirstPort(command_line));

  RunTaskLoop();

  if (const auto stop = FindExport<StopHttpSvrProc>(service, kStopHttpSvr)) stop(port);
  return 0;
}

}  // namespace Wharfgate
