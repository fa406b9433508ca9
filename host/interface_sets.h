// The interface sets: host records of numbered (object, function) pairs,
// looked up by type name through HostContext::QueryObject as an Any holding a
// CSharedPtr to the set.  Only the pairs some adapter calls are named; runs of
// UnusedPair keep the numbering.
#ifndef SHIMWELL_HOST_INTERFACE_SETS_H_
#define SHIMWELL_HOST_INTERFACE_SETS_H_

#include "host/host_context.h"
#include "host/host_objects.h"
#include "host/win_types.h"

// The host's rectangle record, as signals and GetViewRect carry it.
struct wpRect {
  float left;
  float top;
  float right;
  float bottom;
};

namespace OrvikComponentInterface {

// Receives player state: (ignored, player id, state, ignored) -> true.
using PlayerStateDelegate = fastdelegate::FastDelegate4<int, int, int, int, bool>;

struct IMultiNodeDisplayMgrSet {
  Pair<bool> DisplayFlag;                       // 0
  Pair<void> DisplayAction;                     // 1
  UnusedPair pairs2to11[10];
  Pair<IViewObject*, int> GetViewObject;        // 12
  UnusedPair pairs13to22[10];
  Pair<int> GetCurrentView;                     // 23
  Pair<int> DisplayValue;                       // 24
  UnusedPair pairs25to32[8];
  Pair<wpRect, int> GetViewRect;                // 33
};
ORVIK_PAIR_AT(IMultiNodeDisplayMgrSet, GetViewObject, 12);
ORVIK_PAIR_AT(IMultiNodeDisplayMgrSet, GetCurrentView, 23);
ORVIK_PAIR_AT(IMultiNodeDisplayMgrSet, DisplayValue, 24);
ORVIK_PAIR_AT(IMultiNodeDisplayMgrSet, GetViewRect, 33);

struct IPlayerMgrSet {
  UnusedPair pair0;
  Pair<int, int, const char*> FindViewPlayer;   // 1: view, player kind -> player id
  UnusedPair pairs2to3[2];
  Pair<int, int> GetViewPlayer;                 // 4: view -> player id
  UnusedPair pairs5to16[12];
  Pair<bool, unsigned int, bool> DeviceSwitch;  // 17: device id, on
  Pair<bool, int, bool> SelectorSwitch;         // 18: selector 0 or 1, on
  UnusedPair pair19;
  Pair<void, int, PlayerStateDelegate*> WatchPlayerState;    // 20
  Pair<void, int, PlayerStateDelegate*> RewatchPlayerState;  // 21
};
ORVIK_PAIR_AT(IPlayerMgrSet, FindViewPlayer, 1);
ORVIK_PAIR_AT(IPlayerMgrSet, GetViewPlayer, 4);
ORVIK_PAIR_AT(IPlayerMgrSet, DeviceSwitch, 17);
ORVIK_PAIR_AT(IPlayerMgrSet, SelectorSwitch, 18);
ORVIK_PAIR_AT(IPlayerMgrSet, WatchPlayerState, 20);
ORVIK_PAIR_AT(IPlayerMgrSet, RewatchPlayerState, 21);

struct IDeviceManagerSet {
  UnusedPair pairs0to2[3];
  Pair<unsigned int> GetCurrentDevice;  // 3
};
ORVIK_PAIR_AT(IDeviceManagerSet, GetCurrentDevice, 3);

struct IAdaptorSet {
  // Filled by the plug-in: the host calls it with each inbound Protocol2 event.
  Pair<void, const char*> InboundText;  // 0
};

struct ICustomerInfoSet {
  UnusedPair pairs0to2[3];
  Pair<const char*> GetWebType;                // 3
  Pair<void, const char*> SetProtocol;         // 4
  UnusedPair pairs5to6[2];
  Pair<const char*, const char*> GetKindPath;  // 7: kind -> path owned by the host
};
ORVIK_PAIR_AT(ICustomerInfoSet, GetWebType, 3);
ORVIK_PAIR_AT(ICustomerInfoSet, SetProtocol, 4);
ORVIK_PAIR_AT(ICustomerInfoSet, GetKindPath, 7);

struct IPTZLocateSet {
  Pair<bool, int, bool> LocateView;  // 0: view, on
  UnusedPair pair1;
  Pair<void, bool> LocateSwitch;     // 2: on
};
ORVIK_PAIR_AT(IPTZLocateSet, LocateSwitch, 2);

// Held by the live-view adapter; no operation of it is called.
struct ITimerSet {
  UnusedPair pair0;
};

struct IVideoAnalysisShapeFactorySet {
  // Shape kind, view index, player id, host context -> new shape or null.
  Pair<IAnalysisShape*, const char*, int, int, HostContext*> CreateAnalysisShape;  // 0
};

// Run-time type names under which the host knows the sets.
constexpr const char kDisplayMgrSetName[] = "struct OrvikComponentInterface::IMultiNodeDisplayMgrSet";
constexpr const char kPlayerMgrSetName[] = "struct OrvikComponentInterface::IPlayerMgrSet";
constexpr const char kDeviceManagerSetName[] = "struct OrvikComponentInterface::IDeviceManagerSet";
constexpr const char kAdaptorSetName[] = "struct OrvikComponentInterface::IAdaptorSet";
constexpr const char kCustomerInfoSetName[] = "struct OrvikComponentInterface::ICustomerInfoSet";
constexpr const char kPTZLocateSetName[] = "struct OrvikComponentInterface::IPTZLocateSet";
constexpr const char kTimerSetName[] = "struct OrvikComponentInterface::ITimerSet";
constexpr const char kShapeFactorySetName[] =
    "struct OrvikComponentInterface::IVideoAnalysisShapeFactorySet";

}  // namespace OrvikComponentInterface

#endif  // SHIMWELL_HOST_INTERFACE_SETS_H_
