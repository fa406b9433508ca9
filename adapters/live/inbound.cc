// The inbound side of the Protocol2 channel: the handler table that all
// adapters share, the entry the host feeds with event texts, and the
// announcement that the plug-in is ready.
#include <string>
#include <string_view>

#include "adapters/live/host_calls.h"
#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

void AddInboundEventHandler(const char* name, CShimwell* target,
                            const InboundEventHandler& handler) {
  if (target == nullptr || name == nullptr) return;
  target->inboundEventHandlers.emplace(name, handler);  // keeps an existing entry
}

void RemoveInboundEventHandler(const char* name, CShimwell* target,
                               const InboundEventHandler& handler) {
  if (target == nullptr || name == nullptr) return;
  const auto entry = target->inboundEventHandlers.find(name);
  if (entry != target->inboundEventHandlers.end() && entry->second == handler) {
    target->inboundEventHandlers.erase(entry);
  }
}

namespace {

// The event name as the table knows it: a string's characters, or "true" /
// "false" for a boolean.  Anything else names no event.  The view points
// into `inbound` or at a literal.
bool EventName(const Json::Value& inbound, std::string_view* name) {
  const Json::Value& event = inbound["event"];
  if (event.isString()) {
    const char* begin = nullptr;
    const char* end = nullptr;
    event.getString(&begin, &end);
    *name = std::string_view(begin, static_cast<std::size_t>(end - begin));
  } else if (event.isBool()) {
    *name = event.asBool() ? "true" : "false";
  } else {
    return false;
  }
  return !name->empty();
}

}  // namespace

void CShimwell::HandleInboundText(const char* text) {
  // Nothing thrown here may reach the host, which calls this entry from its
  // own event loop: a text that breaks a handler is dropped like a malformed one.
  try {
    Json::Value parsed;
    if (text == nullptr || !ParseJsonText(text, &parsed, true) || !parsed.isObject()) return;
    // Read through a const view: looking a member up must not add it.
    const Json::Value& inbound = parsed;
    std::string_view name;
    if (!EventName(inbound, &name)) return;
    const auto entry = inboundEventHandlers.find(name);
    if (entry == inboundEventHandlers.end() || entry->second.empty()) return;
    entry->second(inbound["params"]);
  } catch (...) {
  }
}

void CShimwell::OnPluginViewCreate(HWND /*window*/) {
  CallSet(customerInfoSet, &OrvikComponentInterface::ICustomerInfoSet::SetProtocol, "Protocol2");
  Notify(hostContext, "NoticeInitializedSignal", Json::Value());
}

}  // namespace Shimwell
