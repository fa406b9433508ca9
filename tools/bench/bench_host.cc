#include "tools/bench/bench_host.h"

#include <cstring>
#include <stdexcept>

#include <json/value.h>

#include "tools/hostsim/host.h"
#include "tools/hostsim/signal_delegates.h"

namespace bench {

using namespace OrvikComponentInterface;
using Foundation::Any;

namespace {

template <class Set>
Foundation::CSharedPtr<Set> NewSet() {
  return Foundation::CSharedPtr<Set>(new Set(), [](Set* set) { delete set; });
}

}  // namespace

BenchHost::BenchHost(const hostsim::PluginExports& exports)
    : customer_(NewSet<ICustomerInfoSet>()), adaptor_(NewSet<IAdaptorSet>()) {
  customer_->GetWebType = Pair<const char*>(this, &BenchHost::WebType);
  // Every other set is there with nothing bound: its operations answer 0.
  sets_[kCustomerInfoSetName] = customer_;
  sets_[kAdaptorSetName] = adaptor_;
  sets_[kDisplayMgrSetName] = NewSet<IMultiNodeDisplayMgrSet>();
  sets_[kPlayerMgrSetName] = NewSet<IPlayerMgrSet>();
  sets_[kDeviceManagerSetName] = NewSet<IDeviceManagerSet>();
  sets_[kPTZLocateSetName] = NewSet<IPTZLocateSet>();
  sets_[kTimerSetName] = NewSet<ITimerSet>();
  sets_[kShapeFactorySetName] = NewSet<IVideoAnalysisShapeFactorySet>();
  context_.ConnectSignal = Pair<void, const char*, Any*>(this, &BenchHost::Connect);
  context_.RegisterImplObject = Pair<void, const char*, const char*, Any*>(this, &BenchHost::Register);
  context_.QueryObject = Pair<Any, const char*, const char*>(this, &BenchHost::Query);
  context_.RegisterPageMethod =
      Pair<void, const char*, int, Foundation::IComInterface*>(this, &BenchHost::Publish);
  context_.SendRequest = Pair<const char*, const char*>(this, &BenchHost::Send);
  context_.FirePageEvent =
      Pair<void, const char*, Foundation::EventVariant*, int>(this, &BenchHost::Fire);

  exports.InitModule(nullptr);
  if (!exports.LoadImplObjects(&context_, nullptr)) throw std::runtime_error("LoadImplObjects failed");
  for (const char* signal : hostsim::kStartSignals) {
    // Delegates connected while a signal runs wait for its next firing.
    const std::size_t connected = signals_.size();
    for (std::size_t i = 0; i < connected; ++i) {
      if (signals_[i].first != signal) continue;
      std::string error;
      if (!hostsim::CallSignalDelegate(signals_[i].second, Json::Value(Json::arrayValue), &error)) {
        throw std::runtime_error(signal + (": " + error));
      }
    }
  }
  if (adaptor_->InboundText.empty()) throw std::runtime_error("no inbound entry");
}

// The methods and objects go while the plug-in is still loaded.
BenchHost::~BenchHost() {
  methods_.clear();
  signals_.clear();
  sets_.clear();
}

Foundation::IComInterface* BenchHost::Method(const std::string& name) const {
  const auto found = by_name_.find(name);
  return found == by_name_.end() ? nullptr : found->second;
}

bool BenchHost::Call(Foundation::IComInterface* method, const char* call_text) {
  return method->Invoke(1, call_text, Foundation::ReplyDelegate(this, &BenchHost::OnReply));
}

void BenchHost::Connect(const char* signal, Any* delegate) { signals_.emplace_back(signal, *delegate); }

// A registered object is found under its type name, like the sets.
void BenchHost::Register(const char*, const char* type_name, Any* object) {
  sets_.emplace(type_name, *object);
}

Any BenchHost::Query(const char*, const char* type_name) {
  const auto found = sets_.find(type_name);
  return found == sets_.end() ? Any() : found->second;
}

void BenchHost::Publish(const char* name, int, Foundation::IComInterface* method) {
  methods_.emplace_back(method);
  by_name_.emplace(name, method);
}

const char* BenchHost::Send(const char*) {
  ++requests_;
  return reply_.c_str();
}

void BenchHost::Fire(const char*, Foundation::EventVariant*, int count) {
  events_ += static_cast<std::size_t>(count) + 1;
}

void BenchHost::OnReply(const char* text) { reply_bytes_ += std::strlen(text); }

}  // namespace bench
