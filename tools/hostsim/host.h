// Host: a simulated component host for one plug-in and one page connection.
//
// It implements the host context and the interface sets, keeps its own copy
// of every Any the plug-in hands it (signal delegates, registered objects),
// owns the page-method objects, and reports everything the plug-in does
// towards it as output lines on a sink.  All state lives in this object, so
// a process may run several hosts side by side.
//
// Typical use:
//   auto library = PluginLibrary::Load(path, &error);
//   StreamSink sink(stdout);
//   Host host(library->exports(), &sink);
//   host.Start();
//   host.Call("LoginDeviceEx", std::nullopt, 1, R"({"params": {...}})");
// The library must outlive the host: destroying the host releases what the
// plug-in handed over, through the plug-in's own code.
#ifndef SHIMWELL_TOOLS_HOSTSIM_HOST_H_
#define SHIMWELL_TOOLS_HOSTSIM_HOST_H_

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <json/value.h>

#include "host/host_context.h"
#include "runtime/com_interface.h"
#include "tools/hostsim/host_answers.h"
#include "tools/hostsim/host_objects_sim.h"
#include "tools/hostsim/host_sets.h"
#include "tools/hostsim/pair_table.h"
#include "tools/hostsim/plugin_exports.h"
#include "tools/hostsim/recorder.h"

namespace hostsim {

enum class Export { kCheckModule, kInitModule, kLoadImplObjects, kClearModule };

// The signals `Start` fires after LoadImplObjects, in order.
extern const char* const kStartSignals[4];

class Host {
 public:
  Host(const PluginExports& exports, OutputSink* sink);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  OrvikComponentInterface::HostContext* context() { return &context_; }

  // --- Setting up.
  // What the host's operations answer from now on (GetWebType included).
  HostAnswers& answers() { return answers_; }
  // The standing reply of a Protocol2 method ("" is the empty reply).
  void SetReply(const std::string& method, const std::string& reply) { replies_[method] = reply; }
  // A reply used once, after those queued before it, ahead of the standing one.
  void QueueReply(const std::string& method, const std::string& reply) {
    queued_replies_[method].push_back(reply);
  }
  // Answers Protocol2 requests ahead of the queued and standing replies: a
  // reply text, or nothing to fall back to them.  Lets an embedding host put
  // a simulated device behind SendRequest.
  using Responder = std::function<std::optional<std::string>(const std::string& request)>;
  void SetResponder(Responder responder) { responder_ = std::move(responder); }
  // Leaves a host pair unbound from now on: a host-context pair or an
  // interface-set operation by its name, or any pair as "Record.N".  False
  // when no pair has that name.
  bool Unbind(std::string_view name) { return pairs_.Unbind(name); }
  // QueryObject returns an empty value for this type name from now on.
  void Withhold(const std::string& type_name) { withheld_.push_back(type_name); }

  // --- Driving the plug-in.  An exception that leaves the plug-in is
  // reported as an "exception" line; what the host cannot do, as "error".
  void CallExport(Export which);
  // LoadImplObjects, then the signals of kStartSignals.
  void Start();
  // Calls every delegate connected under `name`, in connection order, with
  // `args` (a JSON array, see CallSignalDelegate).
  void FireSignal(const std::string& name, const Json::Value& args);
  // The page-method operations.  `nth` picks a registration of the name
  // (0-based); without it the last one.  A missing count is the method's
  // own parameter count.
  void Call(const std::string& name, std::optional<std::size_t> nth, int id, const std::string& text);
  void CheckParams(const std::string& name, std::optional<std::size_t> nth, std::optional<int> count,
                   const std::string& text);
  void Template(const std::string& name, std::optional<std::size_t> nth);
  void ParamNames(const std::string& name, std::optional<std::size_t> nth, std::optional<int> count);
  // Hands an inbound Protocol2 text to the entry in IAdaptorSet pair 0.
  void Inbound(const std::string& text);
  // Calls the player-state delegate most recently armed for `player`.
  void PlayerState(int first, int player, int state, int last);
  // Drops every registered object and page method, as a host does at
  // shutdown, with the signal connections, player-state delegates and the
  // inbound entry that point into them.
  void Release();

  // The method object of a page method, or null (for embedding hosts).
  Foundation::IComInterface* FindMethod(const std::string& name, std::optional<std::size_t> nth) const;

 private:
  // Host-context pairs.
  void ConnectSignal(const char* name, Foundation::Any* delegate);
  void RegisterImplObject(const char* empty, const char* type_name, Foundation::Any* object);
  Foundation::Any QueryObject(const char* empty, const char* type_name);
  void RegisterPageMethod(const char* name, int zero, Foundation::IComInterface* method);
  const char* SendRequest(const char* request);
  void FirePageEvent(const char* name, Foundation::EventVariant* records, int count);

  // The reply channel of page calls.
  void OnReply(const char* reply);

  // Runs `call` into the plug-in, reporting an exception that leaves it.
  template <typename F>
  void Guarded(F&& call);
  // Reports a new inbound entry written into IAdaptorSet.
  void NoticeInboundEntry();
  // The method for a script line, or null after reporting an error.
  Foundation::IComInterface* MethodFor(const std::string& name, std::optional<std::size_t> nth);

  struct MethodDeleter {
    void operator()(Foundation::IComInterface* method) const { delete method; }
  };
  using OwnedMethod = std::unique_ptr<Foundation::IComInterface, MethodDeleter>;

  PluginExports exports_;
  Recorder recorder_;
  HostAnswers answers_;
  PairTable pairs_;
  HostObjects objects_;
  HostSets sets_;
  OrvikComponentInterface::HostContext context_ = {};
  Foundation::ReplyDelegate reply_;
  OrvikComponentInterface::Pair<void, const char*> seen_inbound_entry_;

  Responder responder_;
  std::map<std::string, std::string> replies_;
  std::map<std::string, std::deque<std::string>> queued_replies_;
  std::string last_reply_;  // what SendRequest returned last; valid until the next call
  std::vector<std::string> withheld_;

  std::vector<std::pair<std::string, Foundation::Any>> signals_;  // in connection order
  std::vector<std::pair<std::string, Foundation::Any>> objects_registered_;
  std::vector<std::pair<std::string, OwnedMethod>> methods_;  // in registration order
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_HOST_H_
