#include "tools/hostsim/fake_plugin.h"

#include <string_view>

namespace hostsim {
namespace fake {

int Method::alive = 0;
int FakeAdapter::alive = 0;

namespace {

std::function<void(FakeAdapter&)>& Setup() {
  static std::function<void(FakeAdapter&)> setup;
  return setup;
}

void DeleteAdapter(FakeAdapter* adapter) { delete adapter; }

void CheckModule() {}
void InitModule(void*) {}
void ClearModule(void*) {}

bool LoadImplObjects(OrvikComponentInterface::HostContext* context, void*) {
  Foundation::CSharedPtr<FakeAdapter> adapter(new FakeAdapter(context), &DeleteAdapter);
  {
    Foundation::Any any(adapter);
    if (!context->RegisterImplObject.empty()) context->RegisterImplObject("", "class Fake::CAdapter", &any);
  }
  if (Setup()) Setup()(*adapter);
  return true;
}

}  // namespace

Record Int(std::int32_t value) { return Record::Of(Foundation::EventVariant::kInt, &value, sizeof value); }
Record Real(double value) { return Record::Of(Foundation::EventVariant::kReal, &value, sizeof value); }
Record Bool(bool value) {
  const unsigned char byte = value ? 1 : 0;
  return Record::Of(Foundation::EventVariant::kBool, &byte, 1);
}
Record Text(const char* text, std::uint32_t kind) { return Record::Of(kind, &text, sizeof text); }

Method::Method(std::vector<std::string> names, InvokeFunction invoke)
    : names_(std::move(names)), invoke_(std::move(invoke)) {
  ++alive;
}

Method::~Method() { --alive; }

bool Method::GetParamNames(char* buffer, int count) {
  if (count != GetParamCount()) return false;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    std::memcpy(buffer + i * Foundation::kParamNameSlot, names_[i].data(), names_[i].size());
  }
  return true;
}

bool Method::CheckParams(int count, const char* text) {
  return count == GetParamCount() && std::string_view(text).find("ok") != std::string_view::npos;
}

void FakeAdapter::Publish(const char* name, std::vector<std::string> names, Method::InvokeFunction invoke) {
  auto* method = new Method(std::move(names), std::move(invoke));
  if (context->RegisterPageMethod.empty()) {
    delete method;
    return;
  }
  context->RegisterPageMethod(name, 0, method);
}

void FakeAdapter::Fire(const char* name, std::vector<Record> records) {
  if (context->FirePageEvent.empty()) return;
  auto* first = records.empty() ? nullptr : reinterpret_cast<Foundation::EventVariant*>(records.data());
  context->FirePageEvent(name, first, static_cast<int>(records.size()));
}

void OnLoad(std::function<void(FakeAdapter&)> setup) { Setup() = std::move(setup); }

PluginExports Exports() {
  PluginExports exports;
  exports.CheckModule = &CheckModule;
  exports.InitModule = &InitModule;
  exports.LoadImplObjects = &LoadImplObjects;
  exports.ClearModule = &ClearModule;
  return exports;
}

}  // namespace fake
}  // namespace hostsim
