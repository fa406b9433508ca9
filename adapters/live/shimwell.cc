// The live-view adapter's life: factory, interface sets, signals, publishing.
#include "adapters/live/shimwell.h"

#include "adapters/live/host_calls.h"
#include "runtime/module_registry.h"

namespace Shimwell {

using OrvikComponentInterface::HostContext;
using fastdelegate::MakeDelegate;

CShimwell::CShimwell(HostContext* host_context) : hostContext(host_context) {
  for (const InboundEventRow& row : LiveInboundEvents()) rowHandlers.emplace_back(hostContext, &row);
  ConnectStartSignals(hostContext, this);
}

void CShimwell::Create(HostContext* host_context, void* /*unused*/) {
  RegisterAdapter<CShimwell>(host_context, "class Shimwell::CShimwell");
}

void CShimwell::OnInterfaceInstantiation() {
  using namespace OrvikComponentInterface;
  displayMgrSet = QueryShared<IMultiNodeDisplayMgrSet>(hostContext, kDisplayMgrSetName);
  playerMgrSet = QueryShared<IPlayerMgrSet>(hostContext, kPlayerMgrSetName);
  deviceManagerSet = QueryShared<IDeviceManagerSet>(hostContext, kDeviceManagerSetName);
  adaptorSet = QueryShared<IAdaptorSet>(hostContext, kAdaptorSetName);
  customerInfoSet = QueryShared<ICustomerInfoSet>(hostContext, kCustomerInfoSetName);
  ptzLocateSet = QueryShared<IPTZLocateSet>(hostContext, kPTZLocateSetName);
  timerSet = QueryShared<ITimerSet>(hostContext, kTimerSetName);
}

void CShimwell::OnImplComLoaded() {
  ConnectSignal(hostContext, "pluginViewCreate", MakeDelegate(this, &CShimwell::OnPluginViewCreate));
  ConnectSignal(hostContext, "WebTypeSignal", MakeDelegate(this, &CShimwell::OnWebType));
  ConnectSignal(hostContext, "RemoteDevicePreLogoutSignal",
                MakeDelegate(this, &CShimwell::OnRemoteDevicePreLogout));
}

void CShimwell::OnWebType() {
  if (!IsWeb30Page(customerInfoSet)) return;
  PublishPageMethods();
  WireNotifications();
}

void CShimwell::OnRemoteDevicePreLogout(unsigned int /*device*/) { loggedIn = false; }

void CShimwell::Publish(const char* name, Foundation::IComInterface* method) {
  PublishPageMethod(hostContext, name, method);
}

}  // namespace Shimwell

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(Shimwell::CShimwell::Create, Foundation::kLiveViewOrder);
