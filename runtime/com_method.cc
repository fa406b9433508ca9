#include "runtime/com_method.h"

namespace Foundation {
namespace Detail {

bool ReadCallParams(const char* call_text, Json::Value* params) {
  Json::Value call;
  if (!ReadJson(call_text, &call)) return false;
  Json::Value found;
  if (call.isObject()) call.removeMember("params", &found);
  if (found.isObject()) params->swap(found);
  else *params = Json::Value();
  return true;
}

const Json::Value& FindParam(const Json::Value& params, const std::string& name) {
  static const Json::Value kMissing;
  if (!params.isObject()) return kMissing;
  const Json::Value* found = params.find(name.data(), name.data() + name.size());
  return found != nullptr ? *found : kMissing;
}

}  // namespace Detail
}  // namespace Foundation
