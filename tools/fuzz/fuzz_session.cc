#include "tools/fuzz/fuzz_session.h"

#include <cstring>
#include <sstream>
#include <utility>

#include <json/value.h>

#include "host/interface_sets.h"
#include "runtime/any_cast.h"
#include "runtime/json_text.h"
#include "runtime/shared_ptr.h"

// The plug-in's entry points, linked into the fuzzer itself so that the
// adapters' code is instrumented like the rest.
extern "C" {
void CheckModule();
void InitModule(void* argument);
bool LoadImplObjects(OrvikComponentInterface::HostContext* context, void* reserved);
void ClearModule(void* argument);
}

namespace fuzz {

namespace oci = OrvikComponentInterface;

namespace {

hostsim::PluginExports InProcessExports() {
  hostsim::PluginExports exports;
  exports.CheckModule = &CheckModule;
  exports.InitModule = &InitModule;
  exports.LoadImplObjects = &LoadImplObjects;
  exports.ClearModule = &ClearModule;
  return exports;
}

// The first line of `section` and the rest after its line feed.
std::string FirstLine(const std::string& section, std::string* rest) {
  const std::string::size_type end = section.find('\n');
  if (end == std::string::npos) {
    rest->clear();
    return section;
  }
  *rest = section.substr(end + 1);
  return section.substr(0, end);
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

void RegistrationSink::WriteLine(const std::string& line) {
  if (!StartsWith(line, "{\"registerMethod\"")) return;
  Json::Value value;
  if (!Foundation::ReadJson(line.c_str(), &value) || !value["registerMethod"].isString()) return;
  const std::string name = value["registerMethod"].asString();
  std::size_t nth = 0;
  for (const MethodRef& method : methods) nth += method.name == name ? 1u : 0u;
  methods.push_back({name, nth});
}

FuzzHost::FuzzHost() : host_(InProcessExports(), &sink_) {
  host_.context()->SendRequest = oci::Pair<const char*, const char*>(this, &FuzzHost::Answer);
  host_.Start();
}

const char* FuzzHost::Answer(const char* /*request*/) {
  last_reply_.clear();
  if (!replies_.empty()) {
    last_reply_ = std::move(replies_.front());
    replies_.pop_front();
  }
  return last_reply_.c_str();
}

const MethodRef& FuzzHost::Resolve(const std::string& header) const {
  const std::vector<MethodRef>& methods = sink_.methods;
  std::istringstream words(header);
  std::string name;
  std::size_t nth = 0;
  words >> name >> nth;
  for (const MethodRef& method : methods) {
    if (method.name == name && method.nth == nth) return method;
  }
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : header) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return methods[hash % methods.size()];
}

void FuzzHost::CallPageMethod(const MethodRef& method, const std::string& call_text) {
  Foundation::IComInterface* object = host_.FindMethod(method.name, method.nth);
  if (object == nullptr) return;
  try {
    object->CheckParams(object->GetParamCount(), call_text.c_str());
    object->Invoke(1, call_text.c_str(), Foundation::ReplyDelegate(this, &FuzzHost::IgnoreReply));
  } catch (const Foundation::BadCast&) {
    // The page sees "bad cast": specified, not a finding.
  }
}

void FuzzHost::Inbound(const std::string& text) {
  const Foundation::Any found = oci::CallPair(host_.context()->QueryObject, "", oci::kAdaptorSetName);
  const auto adaptor = Foundation::AnyCast<Foundation::CSharedPtr<oci::IAdaptorSet>>(found);
  const oci::Pair<void, const char*> entry = adaptor.get()->InboundText;
  if (!entry.empty()) entry(text.c_str());
}

void RunSession(const std::uint8_t* data, std::size_t size, Lead lead) {
  const std::vector<std::string> sections = SplitSections(data, size);
  std::vector<std::pair<std::string, std::string>> steps;  // (header, body) of calls and events
  FuzzHost host;
  for (std::size_t i = 1; i < sections.size(); ++i) {
    std::string body;
    const std::string header = FirstLine(sections[i], &body);
    if (StartsWith(header, "call ") || header == "inbound") {
      steps.emplace_back(header, body);
    } else {
      host.QueueReply(sections[i]);
    }
  }
  if (lead == Lead::kCall) {
    std::string body;
    const std::string header = FirstLine(sections[0], &body);
    host.CallPageMethod(host.Resolve(header), body);
  } else {
    host.Inbound(sections[0]);
  }
  for (const auto& [header, body] : steps) {
    if (header == "inbound") {
      host.Inbound(body);
    } else {
      host.CallPageMethod(host.Resolve(header.substr(5)), body);
    }
  }
}

}  // namespace fuzz
