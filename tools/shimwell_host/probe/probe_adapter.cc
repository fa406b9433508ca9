#include "tools/shimwell_host/probe/probe_adapter.h"

#include <cstring>
#include <initializer_list>
#include <stdexcept>

#include <json/value.h>

#include "runtime/any.h"
#include "runtime/com_method.h"
#include "runtime/event_variant.h"
#include "runtime/json_text.h"
#include "runtime/module_registry.h"

namespace ShimwellTest {

using Foundation::EventVariant;
using oci::CallPair;

namespace {

// One page-event argument.
struct Arg {
  enum Kind { kInt, kReal, kBool, kText } kind;
  double number;
  const char* text;
  static Arg Int(int v) { return {kInt, static_cast<double>(v), nullptr}; }
  static Arg Real(double v) { return {kReal, v, nullptr}; }
  static Arg Bool(bool v) { return {kBool, v ? 1.0 : 0.0, nullptr}; }
  static Arg Text(const char* v) { return {kText, 0, v}; }
};

void Fire(oci::HostContext* context, const char* name, std::initializer_list<Arg> args) {
  EventVariant records[7];
  int count = 0;
  for (const Arg& arg : args) {
    EventVariant& record = records[count++];
    switch (arg.kind) {
      case Arg::kInt: record.SetInt(static_cast<int>(arg.number)); break;
      case Arg::kReal: record.SetReal(arg.number); break;
      case Arg::kBool: record.SetBool(arg.number != 0); break;
      case Arg::kText: record.SetText(arg.text); break;
    }
  }
  CallPair(context->FirePageEvent, name, count > 0 ? records : nullptr, count);
}

void DeleteProbe(CProbe* probe) { delete probe; }

void CreateProbe(oci::HostContext* context, void*) {
  Foundation::CSharedPtr<CProbe> probe(new CProbe(context), &DeleteProbe);
  Foundation::Any any(probe);
  CallPair(context->RegisterImplObject, "", "class ShimwellTest::CProbe", &any);
}

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(CreateProbe, Foundation::kLastOrder);

}  // namespace

CProbe::CProbe(oci::HostContext* context) : context_(context) {
  Connect("InterfaceInstantiationSignal", fastdelegate::MakeDelegate(this, &CProbe::OnInterfaceInstantiation));
  Connect("ImplComLoaded", fastdelegate::MakeDelegate(this, &CProbe::OnImplComLoaded));
}

template <typename Delegate>
void CProbe::Connect(const char* signal, const Delegate& delegate) {
  Foundation::Any any(delegate);
  CallPair(context_->ConnectSignal, signal, &any);
}

void CProbe::Publish(const char* name, Foundation::IComInterface* method) {
  if (context_->RegisterPageMethod.empty()) {
    delete method;
    return;
  }
  context_->RegisterPageMethod(name, 0, method);
}

template <typename Set>
void CProbe::Query(const char* type_name, Foundation::CSharedPtr<Set>* field) {
  *field = Foundation::AnyCast<Foundation::CSharedPtr<Set>>(CallPair(context_->QueryObject, "", type_name));
}

void CProbe::OnInterfaceInstantiation() {
  Query(oci::kDisplayMgrSetName, &display_);
  Query(oci::kPlayerMgrSetName, &player_);
  Query(oci::kDeviceManagerSetName, &device_);
  Query(oci::kAdaptorSetName, &adaptor_);
  Query(oci::kCustomerInfoSetName, &customer_);
  Query(oci::kPTZLocateSetName, &ptz_);
  Query(oci::kShapeFactorySetName, &shapes_);
}

void CProbe::OnImplComLoaded() {
  Connect("pluginViewCreate", fastdelegate::MakeDelegate(this, &CProbe::OnPluginViewCreate));
  Connect("WebTypeSignal", fastdelegate::MakeDelegate(this, &CProbe::OnWebType));
}

void CProbe::OnWebType() {
  const char* type = customer_ ? CallPair(customer_->GetWebType) : nullptr;
  if (type == nullptr || std::strcmp(type, "web3.0") != 0) return;
  using Foundation::MakeComMethod;
  Publish("Echo", MakeComMethod(this, &CProbe::Echo, {"text", "number", "flag"}));
  Publish("Sum", MakeComMethod(this, &CProbe::Sum, {"a", "b"}));
  Publish("Nothing", MakeComMethod(this, &CProbe::Nothing, {}));
  Publish("Twice", MakeComMethod(this, &CProbe::TwiceText, {"text", "flag"}));
  Publish("Twice", MakeComMethod(this, &CProbe::Twice, {"flag"}));
  Publish("Ask", MakeComMethod(this, &CProbe::Ask, {"method", "channel"}));
  Publish("FireAll", MakeComMethod(this, &CProbe::FireAll, {}));
  Publish("Watch", MakeComMethod(this, &CProbe::Watch, {"player"}));
  Publish("ShowImage", MakeComMethod(this, &CProbe::ShowImage, {"Path"}));
  Publish("Clip", MakeComMethod(this, &CProbe::Clip, {"view"}));
  Publish("Switches", MakeComMethod(this, &CProbe::Switches, {"on"}));
  if (adaptor_) adaptor_->InboundText = oci::Pair<void, const char*>(this, &CProbe::OnInbound);
  Connect("ProbeUnsigned", fastdelegate::MakeDelegate(this, &CProbe::OnUnsigned));
  Connect("ModeChangedSignal", fastdelegate::MakeDelegate(this, &CProbe::OnModeChanged));
  Connect("videoPlayWinRegionChangeSignal", fastdelegate::MakeDelegate(this, &CProbe::OnRegionChange));
  Connect("CatchOnePicture", fastdelegate::MakeDelegate(this, &CProbe::OnCatchOnePicture));
}

void CProbe::OnPluginViewCreate(HWND) {
  if (customer_) CallPair(customer_->SetProtocol, "Protocol2");
}

void CProbe::OnUnsigned(unsigned int value) {
  Fire(context_, "Unsigned", {Arg::Real(static_cast<double>(value))});
}

void CProbe::OnModeChanged(int mode) { Fire(context_, "Mode", {Arg::Int(mode)}); }

void CProbe::OnRegionChange(int view, const wpRect& rect) {
  Fire(context_, "Region", {Arg::Int(view), Arg::Real(rect.left), Arg::Real(rect.top), Arg::Real(rect.right),
                            Arg::Real(rect.bottom)});
}

void CProbe::OnCatchOnePicture(int first, const char* name, int third, int fourth) {
  Fire(context_, "Picture", {Arg::Int(first), Arg::Text(name), Arg::Int(third), Arg::Int(fourth)});
}

bool CProbe::OnPlayerState(int, int player, int state, int) {
  Fire(context_, "StateChanged", {Arg::Int(player), Arg::Int(state)});
  oci::PlayerStateDelegate again(this, &CProbe::OnPlayerState);
  if (player_) CallPair(player_->RewatchPlayerState, player, &again);
  return true;
}

void CProbe::OnInbound(const char* text) {
  Json::Value event;
  Foundation::ReadJson(text, &event);
  const std::string name = event.isObject() ? event["event"].asString() : "";
  if (name == "Throw") throw std::runtime_error("inbound event failed");
  Fire(context_, "Inbound", {Arg::Text(name.c_str())});
}

const char* CProbe::Echo(const char* text, int number, bool flag) {
  echo_ = std::string(text) + "|" + std::to_string(number) + "|" + (flag ? "true" : "false");
  return echo_.c_str();
}

long CProbe::Sum(long a, unsigned int b) { return a + static_cast<long>(b); }

bool CProbe::Nothing() { return true; }

bool CProbe::Twice(int flag) { return flag != 0; }

bool CProbe::TwiceText(const char* text, bool flag) { return flag && *text != '\0'; }

// Sends one request and casts the reply's integer "result": an empty or
// unreadable reply leaves nothing to cast and throws "bad cast".
int CProbe::Ask(const char* method, int channel) {
  Json::Value request;
  request["method"] = method;
  request["params"]["channel"] = channel;
  const char* reply = CallPair(context_->SendRequest, Foundation::WriteStyled(request).c_str());
  Json::Value parsed;
  Foundation::Any result;
  if (reply != nullptr && Foundation::ReadJson(reply, &parsed) && parsed.isObject() && parsed["result"].isInt()) {
    result = parsed["result"].asInt();
  }
  return Foundation::AnyCast<int>(result);
}

bool CProbe::FireAll() {
  Fire(context_, "AllKinds", {Arg::Int(-7), Arg::Real(2.5), Arg::Bool(true), Arg::Text("a/b \"q\""), Arg::Text("")});
  Fire(context_, "NoArgs", {});
  return true;
}

bool CProbe::Watch(int player) {
  if (!player_) return false;
  oci::PlayerStateDelegate delegate(this, &CProbe::OnPlayerState);
  CallPair(player_->WatchPlayerState, player, &delegate);
  return true;
}

bool CProbe::ShowImage(const char* path) {
  if (!display_) return false;
  if (!CallPair(display_->DisplayFlag)) CallPair(display_->DisplayAction);
  const int view = CallPair(display_->GetCurrentView);
  oci::IViewObject* view_object = CallPair(display_->GetViewObject, view);
  if (view_object == nullptr) return false;
  oci::IImageShape* shape = view_object->CreateShape("ImageShape");
  if (shape == nullptr) return false;
  const wpRect rect = CallPair(display_->GetViewRect, view);
  shape->SetGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  shape->SetImage(0, 0, 0, 0, path, CallPair(display_->DisplayValue));
  shape->SetVisible(!shape->IsVisible());
  return true;
}

int CProbe::Clip(int view) {
  if (!shapes_ || !player_) return -1;
  oci::IAnalysisShape* shape =
      CallPair(shapes_->CreateAnalysisShape, "RegionClip", view, CallPair(player_->GetViewPlayer, view), context_);
  if (shape == nullptr) return -1;
  shape->ConfigureShape("clipShape", "{\"view\": 1}", "");
  shape->ReleaseShape();
  return 0;
}

bool CProbe::Switches(bool on) {
  if (!player_ || !device_ || !ptz_ || !display_ || !customer_) return false;
  CallPair(player_->DeviceSwitch, CallPair(device_->GetCurrentDevice), on);
  CallPair(player_->SelectorSwitch, 1, on);
  CallPair(ptz_->LocateSwitch, on);
  const bool located = CallPair(ptz_->LocateView, CallPair(display_->GetCurrentView), on);
  Fire(context_, "Switches", {Arg::Int(CallPair(player_->FindViewPlayer, 0, "realVideo")),
                              Arg::Text(CallPair(customer_->GetKindPath, "LiveSnapshot"))});
  return located;
}

}  // namespace ShimwellTest
