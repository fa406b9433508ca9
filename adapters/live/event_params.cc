#include "adapters/live/event_params.h"

#include <stdexcept>

namespace Shimwell {

std::int32_t ParamInt(const Json::Value& params, const char* name) {
  return params[name].asInt();
}

double ParamReal(const Json::Value& params, const char* name) {
  return params[name].asDouble();
}

bool ParamBool(const Json::Value& params, const char* name) {
  return params[name].asBool();
}

std::string ParamText(const Json::Value& params, const char* name) {
  const Json::Value& value = params[name];
  switch (value.type()) {
    case Json::nullValue:
    case Json::stringValue:
    case Json::booleanValue:
      return value.asString();
    default:
      throw std::invalid_argument("Type is not convertible to string");
  }
}

std::string ParamTextOrEmpty(const Json::Value& params, const char* name) {
  const Json::Value& value = params[name];
  return value.isString() ? value.asString() : std::string();
}

std::string AfterLastBackslash(std::string path) {
  const std::string::size_type slash = path.rfind('\\');
  if (slash != std::string::npos) path.erase(0, slash + 1);  // in place: no second text
  return path;
}

}  // namespace Shimwell
