#include "tools/hostsim/host.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include <json/reader.h>

#include "runtime/json_text.h"
#include "tools/hostsim/signal_delegates.h"

namespace hostsim {

namespace oci = OrvikComponentInterface;

const char* const kStartSignals[4] = {"InterfaceInstantiationSignal", "ImplComLoaded", "WebTypeSignal",
                                      "pluginViewCreate"};

namespace {

// A buffer of count zero-filled name slots larger than this is not made.
constexpr int kMaxNameSlots = 1000;

// The names GetParamNames copies into `count` zeroed slots, or nothing when
// it returns false or the count is beyond kMaxNameSlots.  A slot without a
// NUL gives its whole width.
std::optional<std::vector<std::string>> ReadParamNames(Foundation::IComInterface* method, int count) {
  if (count > kMaxNameSlots) return std::nullopt;
  const int slots = std::max(count, 0);
  std::vector<char> buffer(static_cast<std::size_t>(slots) * Foundation::kParamNameSlot, '\0');
  if (!method->GetParamNames(buffer.data(), count)) return std::nullopt;
  std::vector<std::string> names;
  for (int i = 0; i < slots; ++i) {
    const char* slot = buffer.data() + static_cast<std::ptrdiff_t>(i) * Foundation::kParamNameSlot;
    const void* end = std::memchr(slot, '\0', Foundation::kParamNameSlot);
    names.emplace_back(slot, end ? static_cast<const char*>(end) : slot + Foundation::kParamNameSlot);
  }
  return names;
}

// The "method" of a Protocol2 request, or "" when it has none.
std::string RequestMethod(const char* request) {
  Json::Value value;
  if (!Foundation::ReadJson(request, &value, true)) return "";
  if (!value.isObject() || !value["method"].isString()) return "";
  return value["method"].asString();
}

}  // namespace

Host::Host(const PluginExports& exports, OutputSink* sink)
    : exports_(exports),
      recorder_(sink),
      objects_(&recorder_, &answers_),
      sets_(&recorder_, &answers_, &objects_, &pairs_),
      reply_(this, &Host::OnReply) {
  const char* record = "HostContext";
  pairs_.Bind(context_.ConnectSignal, this, &Host::ConnectSignal, record, 2, "ConnectSignal");
  pairs_.Bind(context_.RegisterImplObject, this, &Host::RegisterImplObject, record, 4, "RegisterImplObject");
  pairs_.Bind(context_.QueryObject, this, &Host::QueryObject, record, 5, "QueryObject");
  pairs_.Bind(context_.RegisterPageMethod, this, &Host::RegisterPageMethod, record, 7, "RegisterPageMethod");
  pairs_.Bind(context_.SendRequest, this, &Host::SendRequest, record, 12, "SendRequest");
  pairs_.Bind(context_.FirePageEvent, this, &Host::FirePageEvent, record, 13, "FirePageEvent");
  recorder_.SetBeforeLine([this] { NoticeInboundEntry(); });
}

Host::~Host() {
  // Nothing more is reported once the host goes away.
  recorder_.SetBeforeLine(nullptr);
  Release();
}

template <typename F>
void Host::Guarded(F&& call) {
  try {
    call();
  } catch (const std::exception& e) {
    recorder_.Text("exception", e.what());
  } catch (...) {
    recorder_.Text("exception", "unknown exception");
  }
  NoticeInboundEntry();
}

void Host::NoticeInboundEntry() {
  const auto& entry = sets_.adaptor().InboundText;
  if (entry == seen_inbound_entry_) return;
  seen_inbound_entry_ = entry;
  if (!entry.empty()) recorder_.Flag("inboundEntry", true);
}

// --- Host-context pairs.

void Host::ConnectSignal(const char* name, Foundation::Any* delegate) {
  recorder_.Text("connect", name);
  if (name != nullptr && delegate != nullptr) signals_.emplace_back(name, *delegate);
}

void Host::RegisterImplObject(const char*, const char* type_name, Foundation::Any* object) {
  recorder_.Text("registerObject", type_name);
  if (type_name != nullptr && object != nullptr) objects_registered_.emplace_back(type_name, *object);
}

Foundation::Any Host::QueryObject(const char*, const char* type_name) {
  recorder_.Text("query", type_name);
  const std::string name = type_name ? type_name : "";
  if (std::find(withheld_.begin(), withheld_.end(), name) != withheld_.end()) return {};
  Foundation::Any set = sets_.Find(name);
  if (!set.empty()) return set;
  // The latest registration under the name answers.
  for (auto it = objects_registered_.rbegin(); it != objects_registered_.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return {};
}

void Host::RegisterPageMethod(const char* name, int, Foundation::IComInterface* method) {
  OwnedMethod owned(method);
  std::optional<std::vector<std::string>> names;
  if (method != nullptr) names = ReadParamNames(method, method->GetParamCount());
  recorder_.NameList("registerMethod", name, "params", names ? &*names : nullptr);
  if (name != nullptr && method != nullptr) methods_.emplace_back(name, std::move(owned));
}

const char* Host::SendRequest(const char* request) {
  recorder_.Text("request", request);
  last_reply_.clear();
  if (request == nullptr) return last_reply_.c_str();
  if (responder_) {
    if (std::optional<std::string> answer = responder_(request)) {
      last_reply_ = std::move(*answer);
      return last_reply_.c_str();
    }
  }
  const std::string method = RequestMethod(request);
  auto queued = queued_replies_.find(method);
  if (queued != queued_replies_.end() && !queued->second.empty()) {
    last_reply_ = queued->second.front();
    queued->second.pop_front();
  } else if (auto standing = replies_.find(method); standing != replies_.end()) {
    last_reply_ = standing->second;
  }
  return last_reply_.c_str();
}

void Host::FirePageEvent(const char* name, Foundation::EventVariant* records, int count) {
  recorder_.Event(name, records, count);
}

void Host::OnReply(const char* reply) { recorder_.Text("reply", reply); }

// --- Driving the plug-in.

void Host::CallExport(Export which) {
  Guarded([&] {
    switch (which) {
      case Export::kCheckModule: exports_.CheckModule(); break;
      case Export::kInitModule: exports_.InitModule(nullptr); break;
      case Export::kLoadImplObjects: exports_.LoadImplObjects(&context_, nullptr); break;
      case Export::kClearModule: exports_.ClearModule(nullptr); break;
    }
  });
}

void Host::Start() {
  CallExport(Export::kLoadImplObjects);
  for (const char* signal : kStartSignals) FireSignal(signal, Json::Value(Json::arrayValue));
}

void Host::FireSignal(const std::string& name, const Json::Value& args) {
  // Delegates connected while the signal runs wait for its next firing.
  const std::size_t connected = signals_.size();
  for (std::size_t i = 0; i < connected && i < signals_.size(); ++i) {
    if (signals_[i].first != name) continue;
    // A copy, so that connections made during the call cannot move it.
    const Foundation::Any delegate = signals_[i].second;
    std::string error;
    bool called = true;
    Guarded([&] { called = CallSignalDelegate(delegate, args, &error); });
    if (!called) recorder_.Text("error", "signal " + name + ": " + error);
  }
}

Foundation::IComInterface* Host::FindMethod(const std::string& name, std::optional<std::size_t> nth) const {
  std::vector<Foundation::IComInterface*> found;
  for (const auto& [method_name, method] : methods_) {
    if (method_name == name) found.push_back(method.get());
  }
  if (found.empty()) return nullptr;
  if (!nth) return found.back();
  return *nth < found.size() ? found[*nth] : nullptr;
}

Foundation::IComInterface* Host::MethodFor(const std::string& name, std::optional<std::size_t> nth) {
  Foundation::IComInterface* method = FindMethod(name, nth);
  if (method == nullptr) {
    recorder_.Text("error", nth ? "no registration " + std::to_string(*nth) + " of page method " + name
                                : "no page method " + name);
  }
  return method;
}

void Host::Call(const std::string& name, std::optional<std::size_t> nth, int id, const std::string& text) {
  Foundation::IComInterface* method = MethodFor(name, nth);
  if (method == nullptr) return;
  Guarded([&] {
    if (!method->Invoke(id, text.c_str(), reply_)) recorder_.Flag("invoke", false);
  });
}

void Host::CheckParams(const std::string& name, std::optional<std::size_t> nth, std::optional<int> count,
                       const std::string& text) {
  Foundation::IComInterface* method = MethodFor(name, nth);
  if (method == nullptr) return;
  Guarded([&] {
    recorder_.Flag("checkParams", method->CheckParams(count.value_or(method->GetParamCount()), text.c_str()));
  });
}

void Host::Template(const std::string& name, std::optional<std::size_t> nth) {
  Foundation::IComInterface* method = MethodFor(name, nth);
  if (method == nullptr) return;
  Guarded([&] { recorder_.Text("template", method->GetParamsTemplate()); });
}

void Host::ParamNames(const std::string& name, std::optional<std::size_t> nth, std::optional<int> count) {
  Foundation::IComInterface* method = MethodFor(name, nth);
  if (method == nullptr) return;
  Guarded([&] {
    std::optional<std::vector<std::string>> names =
        ReadParamNames(method, count.value_or(method->GetParamCount()));
    recorder_.ParamNames(names ? &*names : nullptr);
  });
}

void Host::Inbound(const std::string& text) {
  const auto entry = sets_.adaptor().InboundText;
  if (entry.empty()) {
    recorder_.Text("error", "no inbound entry is installed");
    return;
  }
  Guarded([&] { entry(text.c_str()); });
}

void Host::PlayerState(int first, int player, int state, int last) {
  const oci::PlayerStateDelegate* armed = sets_.ArmedFor(player);
  if (armed == nullptr || armed->empty()) {
    recorder_.Text("error", "no player-state delegate is armed for player " + std::to_string(player));
    return;
  }
  const oci::PlayerStateDelegate delegate = *armed;
  Guarded([&] { delegate(first, player, state, last); });
}

void Host::Release() {
  // Methods first (they point at their objects), then the objects, the last
  // registered first.  Moved out first, so that what a destructor does to
  // the host lands in empty lists.
  auto methods = std::move(methods_);
  methods_.clear();
  auto signals = std::move(signals_);
  signals_.clear();
  auto objects = std::move(objects_registered_);
  objects_registered_.clear();
  sets_.DisarmAll();
  sets_.adaptor().InboundText.clear();
  seen_inbound_entry_.clear();
  Guarded([&] {
    methods.clear();
    signals.clear();
    while (!objects.empty()) objects.pop_back();
  });
}

}  // namespace hostsim
