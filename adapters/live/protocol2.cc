#include "adapters/live/protocol2.h"

#include <cstring>
#include <exception>
#include <memory>
#include <mutex>

#include <json/reader.h>

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

namespace {

// Making a reader costs more than parsing a short reply, so one reader of
// each kind is made on first use and kept; the lock makes it safe for a
// host that calls from more than one thread.
class SharedReaders {
 public:
  bool Parse(const char* begin, const char* end, Json::Value* root, bool collect_comments) {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::unique_ptr<Json::CharReader>& reader = readers_[collect_comments ? 1 : 0];
    if (!reader) {
      Json::CharReaderBuilder builder;
      builder["collectComments"] = collect_comments;
      reader.reset(builder.newCharReader());
    }
    // The reader throws rather than fail on some hostile texts (nesting
    // deeper than its stack limit); those are texts that do not parse, like
    // any other.  A reader that threw is not trusted again.
    try {
      return reader->parse(begin, end, root, nullptr);
    } catch (const std::exception&) {
      reader.reset();
      return false;
    }
  }

 private:
  std::mutex mutex_;
  std::unique_ptr<Json::CharReader> readers_[2];
};

SharedReaders& Readers() {
  static SharedReaders readers;
  return readers;
}

}  // namespace

bool ParseJsonText(const std::string& text, Json::Value* root, bool collect_comments) {
  return Readers().Parse(text.data(), text.data() + text.size(), root, collect_comments);
}

bool ParseJsonText(const char* text, Json::Value* root, bool collect_comments) {
  return Readers().Parse(text, text + std::strlen(text), root, collect_comments);
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
