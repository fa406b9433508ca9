// The Protocol2 channel: requests to the host's components and their replies.
//
// Every page method of every adapter talks to a component in the same way:
// build {"method", "params"}, send its styled text through the host's
// SendRequest pair, and read the reply's "result".  Exchange<T> does all of
// that in one call, so no page method repeats it.
#ifndef SHIMWELL_ADAPTERS_LIVE_PROTOCOL2_H_
#define SHIMWELL_ADAPTERS_LIVE_PROTOCOL2_H_

#include <initializer_list>
#include <string>
#include <utility>

#include <json/value.h>

#include "host/host_context.h"
#include "runtime/any.h"

namespace Shimwell {

using OrvikComponentInterface::HostContext;

// A JSON object from (name, value) pairs: Members({{"channel", 1}, {"open", true}}).
Json::Value Members(std::initializer_list<std::pair<const char*, Json::Value>> members);

// {"method": method} without a "params" member.
Json::Value Protocol2Request(const char* method);
// {"method": method, "params": params}; params may be null, a number or an
// object.  Taken by value, so that a temporary moves in rather than being copied.
Json::Value Protocol2Request(const char* method, Json::Value params);

// Writes the request in the styled layout, hands it to the host and copies the
// reply at once.  An unbound SendRequest pair or a null reply gives "".
std::string SendProtocol2Request(const HostContext* host, const Json::Value& request);

// Converts the reply's "result" into an Any: string, bool, int (32-bit range),
// unsigned int (above it, up to 32 bits), double (any other number) or a copy
// of the Json::Value (null, array, object).  A reply that does not parse gives
// an empty Any; one that parses but is not an object has no "result" (null).
Foundation::Any ParseReply(const std::string& reply);

// How a page method reads its reply.  Guarded: an empty reply returns the
// method's failure value (false, 0) without parsing.  Unguarded: the reply is
// always parsed, so an empty or malformed one ends in "bad cast".
enum class Read { kGuarded, kUnguarded };

// One whole exchange: send `request`, then read "result" as a T.
template <typename T>
T Exchange(const HostContext* host, const Json::Value& request, Read read) {
  const std::string reply = SendProtocol2Request(host, request);
  if (read == Read::kGuarded && reply.empty()) return T();
  return Foundation::AnyCast<T>(ParseReply(reply));
}

template <typename T>
T Exchange(const HostContext* host, const char* method, Json::Value params, Read read) {
  return Exchange<T>(host, Protocol2Request(method, std::move(params)), read);
}

// Sends a request whose reply nobody reads.
inline void Notify(const HostContext* host, const char* method, Json::Value params) {
  SendProtocol2Request(host, Protocol2Request(method, std::move(params)));
}

// Parses a whole JSON text.  Comments are kept only where a caller asks.
bool ParseJsonText(const std::string& text, Json::Value* root, bool collect_comments);
// The same for a NUL-terminated text, without copying it first.
bool ParseJsonText(const char* text, Json::Value* root, bool collect_comments);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_PROTOCOL2_H_
