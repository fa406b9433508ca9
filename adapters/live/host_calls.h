// Small helpers over the host context and the interface sets, shared by the
// adapters: call a set's pair when the set is held and the pair bound, connect
// a signal, look a set up by type name, register an adapter object, publish a
// page method, and ask whether the page is a "web3.0" page.
#ifndef SHIMWELL_ADAPTERS_LIVE_HOST_CALLS_H_
#define SHIMWELL_ADAPTERS_LIVE_HOST_CALLS_H_

#include <cstring>
#include <utility>

#include "host/host_context.h"
#include "host/interface_sets.h"
#include "runtime/any.h"
#include "runtime/com_interface.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

// Calls pair `member` of `set`.  A set not held, like an unbound pair, gives
// the result type's zero value (0, false, null, a zeroed record).
template <class Set, typename R, typename... Params, typename... Args>
R CallSet(const Foundation::CSharedPtr<Set>& set,
          OrvikComponentInterface::Pair<R, Params...> Set::*member, Args&&... args) {
  if (!set) return R();
  return OrvikComponentInterface::CallPair(set.get()->*member, std::forward<Args>(args)...);
}

// Hands `delegate` to the host under `signal`.  The host keeps a copy of the
// Any; ours goes when the call returns.
template <class Delegate>
void ConnectSignal(const OrvikComponentInterface::HostContext* host, const char* signal,
                   const Delegate& delegate) {
  Foundation::Any any(delegate);
  OrvikComponentInterface::CallPair(host->ConnectSignal, signal, &any);
}

// Connects the two signals an adapter answers from its construction on:
// "InterfaceInstantiationSignal" (look-ups) and "ImplComLoaded".
template <class Adapter>
void ConnectStartSignals(const OrvikComponentInterface::HostContext* host, Adapter* adapter) {
  ConnectSignal(host, "InterfaceInstantiationSignal",
                fastdelegate::MakeDelegate(adapter, &Adapter::OnInterfaceInstantiation));
  ConnectSignal(host, "ImplComLoaded", fastdelegate::MakeDelegate(adapter, &Adapter::OnImplComLoaded));
}

// Looks `type_name` up with QueryObject and returns the shared pointer the
// host holds under it.  A name the host does not know (or an unbound
// QueryObject) gives an empty Any, and the cast throws "bad cast".
template <class T>
Foundation::CSharedPtr<T> QueryShared(const OrvikComponentInterface::HostContext* host,
                                      const char* type_name) {
  const Foundation::Any found = OrvikComponentInterface::CallPair(host->QueryObject, "", type_name);
  return Foundation::AnyCast<Foundation::CSharedPtr<T>>(found);
}

// The factory's work for any adapter class: build it, hand the host an Any
// holding a shared pointer to it, and drop ours.  Without a bound
// RegisterImplObject the adapter is destroyed here again.
template <class Adapter>
void RegisterAdapter(OrvikComponentInterface::HostContext* host, const char* type_name) {
  Foundation::CSharedPtr<Adapter> adapter(new Adapter(host), [](Adapter* p) { delete p; });
  Foundation::Any any(adapter);
  OrvikComponentInterface::CallPair(host->RegisterImplObject, "", type_name, &any);
}

// Hands `method` to the host under `name`; the host owns it from then on.
// Without a bound RegisterPageMethod nobody takes it, so it is freed here.
inline void PublishPageMethod(const OrvikComponentInterface::HostContext* host, const char* name,
                              Foundation::IComInterface* method) {
  if (host->RegisterPageMethod.empty()) {
    delete method;
    return;
  }
  host->RegisterPageMethod(name, 0, method);
}

// Whether the host reports the page type "web3.0", exactly.  A set not held,
// an unbound GetWebType and a null text are other page types.
inline bool IsWeb30Page(const Foundation::CSharedPtr<OrvikComponentInterface::ICustomerInfoSet>& set) {
  const char* web_type = CallSet(set, &OrvikComponentInterface::ICustomerInfoSet::GetWebType);
  return web_type != nullptr && std::strcmp(web_type, "web3.0") == 0;
}

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_HOST_CALLS_H_
