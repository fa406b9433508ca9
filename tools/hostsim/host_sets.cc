#include "tools/hostsim/host_sets.h"

namespace hostsim {

namespace oci = OrvikComponentInterface;

namespace {

template <typename Set>
void NoDelete(Set*) {}

template <typename Set>
Foundation::Any Shared(Set* set) {
  return Foundation::Any(Foundation::CSharedPtr<Set>(set, &NoDelete<Set>));
}

}  // namespace

HostSets::HostSets(Recorder* recorder, const HostAnswers* answers, HostObjects* objects, PairTable* pairs)
    : recorder_(recorder), answers_(answers), objects_(objects) {
  const char* display = "IMultiNodeDisplayMgrSet";
  pairs->Bind(display_.DisplayFlag, this, &HostSets::DisplayFlag, display, 0);
  pairs->Bind(display_.DisplayAction, this, &HostSets::DisplayAction, display, 1);
  pairs->Bind(display_.GetViewObject, this, &HostSets::GetViewObject, display, 12, "GetViewObject");
  pairs->Bind(display_.GetCurrentView, this, &HostSets::GetCurrentView, display, 23, "GetCurrentView");
  pairs->Bind(display_.DisplayValue, this, &HostSets::DisplayValue, display, 24);
  pairs->Bind(display_.GetViewRect, this, &HostSets::GetViewRect, display, 33, "GetViewRect");
  const char* player = "IPlayerMgrSet";
  pairs->Bind(player_.FindViewPlayer, this, &HostSets::FindViewPlayer, player, 1, "FindViewPlayer");
  pairs->Bind(player_.GetViewPlayer, this, &HostSets::GetViewPlayer, player, 4, "GetViewPlayer");
  pairs->Bind(player_.DeviceSwitch, this, &HostSets::DeviceSwitch, player, 17);
  pairs->Bind(player_.SelectorSwitch, this, &HostSets::SelectorSwitch, player, 18);
  pairs->Bind(player_.WatchPlayerState, this, &HostSets::WatchPlayerState, player, 20, "WatchPlayerState");
  pairs->Bind(player_.RewatchPlayerState, this, &HostSets::RewatchPlayerState, player, 21,
              "RewatchPlayerState");
  pairs->Bind(device_.GetCurrentDevice, this, &HostSets::GetCurrentDevice, "IDeviceManagerSet", 3,
              "GetCurrentDevice");
  const char* customer = "ICustomerInfoSet";
  pairs->Bind(customer_.GetWebType, this, &HostSets::GetWebType, customer, 3, "GetWebType");
  pairs->Bind(customer_.SetProtocol, this, &HostSets::SetProtocol, customer, 4, "SetProtocol");
  pairs->Bind(customer_.GetKindPath, this, &HostSets::GetKindPath, customer, 7, "GetKindPath");
  pairs->Bind(ptz_.LocateView, this, &HostSets::LocateView, "IPTZLocateSet", 0);
  pairs->Bind(ptz_.LocateSwitch, this, &HostSets::LocateSwitch, "IPTZLocateSet", 2);
  pairs->Bind(shape_factory_.CreateAnalysisShape, this, &HostSets::CreateAnalysisShape,
              "IVideoAnalysisShapeFactorySet", 0, "CreateAnalysisShape");

  by_name_[oci::kDisplayMgrSetName] = Shared(&display_);
  by_name_[oci::kPlayerMgrSetName] = Shared(&player_);
  by_name_[oci::kDeviceManagerSetName] = Shared(&device_);
  by_name_[oci::kAdaptorSetName] = Shared(&adaptor_);
  by_name_[oci::kCustomerInfoSetName] = Shared(&customer_);
  by_name_[oci::kPTZLocateSetName] = Shared(&ptz_);
  by_name_[oci::kTimerSetName] = Shared(&timer_);
  by_name_[oci::kShapeFactorySetName] = Shared(&shape_factory_);
}

Foundation::Any HostSets::Find(const std::string& type_name) const {
  auto it = by_name_.find(type_name);
  return it == by_name_.end() ? Foundation::Any() : it->second;
}

const oci::PlayerStateDelegate* HostSets::ArmedFor(int player) const {
  auto it = armed_.find(player);
  return it == armed_.end() ? nullptr : &it->second;
}

bool HostSets::DisplayFlag() {
  recorder_->HostCall("IMultiNodeDisplayMgrSet.0");
  return answers_->display_flag;
}

void HostSets::DisplayAction() { recorder_->HostCall("IMultiNodeDisplayMgrSet.1"); }

oci::IViewObject* HostSets::GetViewObject(int view) {
  return answers_->view_object ? objects_->View(view) : nullptr;
}

int HostSets::GetCurrentView() { return answers_->current_view; }

int HostSets::DisplayValue() {
  recorder_->HostCall("IMultiNodeDisplayMgrSet.24");
  return answers_->display_value;
}

wpRect HostSets::GetViewRect(int) { return answers_->view_rect; }

int HostSets::FindViewPlayer(int, const char*) { return answers_->find_view_player; }

int HostSets::GetViewPlayer(int view) {
  auto it = answers_->view_player_by_view.find(view);
  return it == answers_->view_player_by_view.end() ? answers_->view_player : it->second;
}

bool HostSets::DeviceSwitch(unsigned int device, bool on) {
  recorder_->HostCall("IPlayerMgrSet.17", device, on);
  return answers_->player_flag;
}

bool HostSets::SelectorSwitch(int selector, bool on) {
  recorder_->HostCall("IPlayerMgrSet.18", selector, on);
  return answers_->player_flag;
}

void HostSets::Arm(const char* operation, int player, oci::PlayerStateDelegate* delegate) {
  recorder_->HostCall(operation, player);
  if (delegate != nullptr) armed_[player] = *delegate;
}

void HostSets::WatchPlayerState(int player, oci::PlayerStateDelegate* delegate) {
  Arm("WatchPlayerState", player, delegate);
}

void HostSets::RewatchPlayerState(int player, oci::PlayerStateDelegate* delegate) {
  Arm("RewatchPlayerState", player, delegate);
}

unsigned int HostSets::GetCurrentDevice() { return answers_->current_device; }

const char* HostSets::GetWebType() {
  return answers_->web_type ? answers_->web_type->c_str() : nullptr;
}

void HostSets::SetProtocol(const char* protocol) { recorder_->HostCall("SetProtocol", protocol); }

const char* HostSets::GetKindPath(const char* kind) {
  auto it = answers_->kind_path.find(kind ? kind : "");
  return it == answers_->kind_path.end() ? "" : it->second.c_str();
}

bool HostSets::LocateView(int view, bool on) {
  recorder_->HostCall("IPTZLocateSet.0", view, on);
  return answers_->ptz_flag;
}

void HostSets::LocateSwitch(bool on) { recorder_->HostCall("IPTZLocateSet.2", on); }

oci::IAnalysisShape* HostSets::CreateAnalysisShape(const char* kind, int view, int player,
                                                   oci::HostContext*) {
  recorder_->HostCall("CreateAnalysisShape", kind, view, player);
  return answers_->analysis_shape ? objects_->NewAnalysisShape() : nullptr;
}

}  // namespace hostsim
