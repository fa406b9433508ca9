// HostSets: the simulated interface sets.  Every pair the plug-in calls is
// bound to a member here; queries answer from HostAnswers, acting operations
// are recorded.  QueryObject hands out the sets as an Any holding a counted
// pointer whose deleter does nothing: the simulator owns the records.
#ifndef SHIMWELL_TOOLS_HOSTSIM_HOST_SETS_H_
#define SHIMWELL_TOOLS_HOSTSIM_HOST_SETS_H_

#include <map>
#include <string>

#include "host/interface_sets.h"
#include "runtime/any.h"
#include "runtime/shared_ptr.h"
#include "tools/hostsim/host_answers.h"
#include "tools/hostsim/host_objects_sim.h"
#include "tools/hostsim/pair_table.h"
#include "tools/hostsim/recorder.h"

namespace hostsim {

class HostSets {
 public:
  HostSets(Recorder* recorder, const HostAnswers* answers, HostObjects* objects, PairTable* pairs);
  HostSets(const HostSets&) = delete;
  HostSets& operator=(const HostSets&) = delete;

  // The set known by that run-time type name, or an empty value.
  Foundation::Any Find(const std::string& type_name) const;

  // The inbound entry the plug-in writes into IAdaptorSet.
  OrvikComponentInterface::IAdaptorSet& adaptor() { return adaptor_; }

  // The player-state delegate most recently armed for a player, or null.
  const OrvikComponentInterface::PlayerStateDelegate* ArmedFor(int player) const;
  // Forgets every armed delegate (they point into released objects).
  void DisarmAll() { armed_.clear(); }

 private:
  // IMultiNodeDisplayMgrSet
  bool DisplayFlag();
  void DisplayAction();
  OrvikComponentInterface::IViewObject* GetViewObject(int view);
  int GetCurrentView();
  int DisplayValue();
  wpRect GetViewRect(int view);
  // IPlayerMgrSet
  int FindViewPlayer(int view, const char* kind);
  int GetViewPlayer(int view);
  bool DeviceSwitch(unsigned int device, bool on);
  bool SelectorSwitch(int selector, bool on);
  void WatchPlayerState(int player, OrvikComponentInterface::PlayerStateDelegate* delegate);
  void RewatchPlayerState(int player, OrvikComponentInterface::PlayerStateDelegate* delegate);
  // IDeviceManagerSet
  unsigned int GetCurrentDevice();
  // ICustomerInfoSet
  const char* GetWebType();
  void SetProtocol(const char* protocol);
  const char* GetKindPath(const char* kind);
  // IPTZLocateSet
  bool LocateView(int view, bool on);
  void LocateSwitch(bool on);
  // IVideoAnalysisShapeFactorySet
  OrvikComponentInterface::IAnalysisShape* CreateAnalysisShape(
      const char* kind, int view, int player, OrvikComponentInterface::HostContext* context);

  void Arm(const char* operation, int player, OrvikComponentInterface::PlayerStateDelegate* delegate);

  Recorder* recorder_;
  const HostAnswers* answers_;
  HostObjects* objects_;

  OrvikComponentInterface::IMultiNodeDisplayMgrSet display_ = {};
  OrvikComponentInterface::IPlayerMgrSet player_ = {};
  OrvikComponentInterface::IDeviceManagerSet device_ = {};
  OrvikComponentInterface::IAdaptorSet adaptor_ = {};
  OrvikComponentInterface::ICustomerInfoSet customer_ = {};
  OrvikComponentInterface::IPTZLocateSet ptz_ = {};
  OrvikComponentInterface::ITimerSet timer_ = {};
  OrvikComponentInterface::IVideoAnalysisShapeFactorySet shape_factory_ = {};

  // Type name -> the set, as an Any holding a CSharedPtr to it.
  std::map<std::string, Foundation::Any> by_name_;
  std::map<int, OrvikComponentInterface::PlayerStateDelegate> armed_;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_HOST_SETS_H_
