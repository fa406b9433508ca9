#include "adapters/live/protocol2.h"

#include "runtime/json_text.h"

namespace Shimwell {

Json::Value Members(std::initializer_list<std::pair<const char*, Json::Value>> members) {
  Json::Value object(Json::objectValue);
  for (const auto& member : members) object[member.first] = member.second;
  return object;
}

Json::Value Protocol2Request(const char* method) {
  Json::Value request(Json::objectValue);
  request["method"] = method;
  return request;
}

Json::Value Protocol2Request(const char* method, Json::Value params) {
  Json::Value request = Protocol2Request(method);
  request["params"] = std::move(params);
  return request;
}

std::string SendProtocol2Request(const HostContext* host, const Json::Value& request) {
  if (host == nullptr) return std::string();
  const std::string text = Foundation::WriteStyled(request);
  const char* reply = OrvikComponentInterface::CallPair(host->SendRequest, text.c_str());
  return reply != nullptr ? std::string(reply) : std::string();
}

bool ParseJsonText(const std::string& text, Json::Value* root, bool collect_comments) {
  return Foundation::ReadJson(text.data(), text.data() + text.size(), root, collect_comments);
}

bool ParseJsonText(const char* text, Json::Value* root, bool collect_comments) {
  return Foundation::ReadJson(text, root, collect_comments);
}

namespace {

Foundation::Any ConvertResult(const Json::Value& result) {
  switch (result.type()) {
    case Json::stringValue:
      return Foundation::Any(result.asString());
    case Json::booleanValue:
      return Foundation::Any(result.asBool());
    case Json::intValue:
    case Json::uintValue:
      if (result.isInt()) return Foundation::Any(result.asInt());
      if (result.isUInt()) return Foundation::Any(result.asUInt());
      return Foundation::Any(result.asDouble());
    case Json::realValue:
      return Foundation::Any(result.asDouble());
    default:  // null, array, object
      return Foundation::Any(result);
  }
}

}  // namespace

Foundation::Any ParseReply(const std::string& reply) {
  Json::Value root;
  if (!ParseJsonText(reply, &root, false)) return Foundation::Any();
  if (!root.isObject()) return Foundation::Any(Json::Value());
  const Json::Value& reply_object = root;  // a const look-up adds no member
  return ConvertResult(reply_object["result"]);
}

}  // namespace Shimwell
