// BenchHost: the leanest component host that can drive the plug-in, for
// benchmarks.  It hands out the two interface sets a "web3.0" page needs,
// keeps the page methods, answers every Protocol2 request at once with one
// fixed reply and drops page events after counting them.  Nothing is
// recorded, so a call costs what the plug-in does and little more.
#ifndef SHIMWELL_TOOLS_BENCH_BENCH_HOST_H_
#define SHIMWELL_TOOLS_BENCH_BENCH_HOST_H_

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host_context.h"
#include "host/interface_sets.h"
#include "runtime/any.h"
#include "runtime/com_interface.h"
#include "runtime/event_variant.h"
#include "runtime/shared_ptr.h"
#include "tools/hostsim/plugin_exports.h"

namespace bench {

class BenchHost {
 public:
  // Loads the plug-in's objects into this host and fires the start signals.
  explicit BenchHost(const hostsim::PluginExports& exports);
  ~BenchHost();
  BenchHost(const BenchHost&) = delete;
  BenchHost& operator=(const BenchHost&) = delete;

  // The text every SendRequest answers with from now on.
  void SetReply(std::string reply) { reply_ = std::move(reply); }

  // The first page method published under `name`, or null.
  Foundation::IComInterface* Method(const std::string& name) const;

  // Calls `method` as the page would; false when the call was refused.
  bool Call(Foundation::IComInterface* method, const char* call_text);

  // Hands an inbound Protocol2 event text to the plug-in.
  void Inbound(const char* text) { adaptor_->InboundText(text); }

  std::size_t requests() const { return requests_; }
  std::size_t events() const { return events_; }
  std::size_t reply_bytes() const { return reply_bytes_; }

 private:
  void Connect(const char* signal, Foundation::Any* delegate);
  void Register(const char* prefix, const char* type_name, Foundation::Any* object);
  Foundation::Any Query(const char* prefix, const char* type_name);
  void Publish(const char* name, int unused, Foundation::IComInterface* method);
  const char* Send(const char* request);
  void Fire(const char* name, Foundation::EventVariant* args, int count);
  void OnReply(const char* text);
  const char* WebType() { return "web3.0"; }

  OrvikComponentInterface::HostContext context_;
  Foundation::CSharedPtr<OrvikComponentInterface::ICustomerInfoSet> customer_;
  Foundation::CSharedPtr<OrvikComponentInterface::IAdaptorSet> adaptor_;
  std::vector<std::pair<std::string, Foundation::Any>> signals_;
  // Interface sets and registered objects by type name.
  std::map<std::string, Foundation::Any> sets_;
  std::vector<std::unique_ptr<Foundation::IComInterface>> methods_;
  std::map<std::string, Foundation::IComInterface*> by_name_;
  std::string reply_;
  std::size_t requests_ = 0;
  std::size_t events_ = 0;
  std::size_t reply_bytes_ = 0;
};

}  // namespace bench

#endif  // SHIMWELL_TOOLS_BENCH_BENCH_HOST_H_
