// SubVideoWndCtrl: one page method, many window functions chosen by style.
#include <string>
#include <vector>

#include "adapters/live/host_calls.h"
#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

using OrvikComponentInterface::ICustomerInfoSet;
using OrvikComponentInterface::IDeviceManagerSet;
using OrvikComponentInterface::IPlayerMgrSet;
using OrvikComponentInterface::IPTZLocateSet;

namespace {

// Where a request member's value comes from, given the page's state.
enum class From {
  kOn,            // state != 0
  kPositive,      // state > 0
  kState,         // state itself
  kStateLessOne,  // state - 1
  kTrue,
  kZero,
  kOne,
  kEmptyText,
  kSnapshotPath,  // the storage path for a snapshot of the current view
};

struct StyleMember {
  const char* key;
  From from;
};

// A style that sends one guarded request; styles that call the host directly
// are in RunHostStyle.
struct RequestStyle {
  long style;
  const char* method;
  std::vector<StyleMember> members;
};

const std::vector<RequestStyle>& RequestStyles() {
  static const std::vector<RequestStyle> styles = {
      {2, "CrabOnePicture", {{"format", From::kState}, {"open", From::kTrue}, {"path", From::kSnapshotPath}}},
      {3, "ControlRecordingVideo", {{"format", From::kStateLessOne}, {"enable", From::kPositive}}},
      {5, "ActiveLocalEnlarge", {{"enable", From::kPositive}}},
      {9, "CrabTriplePicture", {{"format", From::kStateLessOne}, {"path", From::kEmptyText}, {"open", From::kTrue}}},
      {10, "EnableManualLocate", {{"enable", From::kPositive}}},
      {16, "ActiveLocalFocus", {{"enable", From::kPositive}}},
      {23, "ActiveMeasureDistance", {{"enable", From::kPositive}}},
      {31, "CatchPictureFromDev", {{"num", From::kOne}, {"bOpen", From::kOn}, {"nChannel", From::kZero}}},
      {35, "ActiveKeepRegion", {{"enable", From::kOn}, {"nViewIndex", From::kZero}}},
  };
  return styles;
}

}  // namespace

std::string CShimwell::SnapshotPath() {
  const int live = CallSet(playerMgrSet, &IPlayerMgrSet::FindViewPlayer, CurrentView(), "realVideo");
  const int shown = CallSet(playerMgrSet, &IPlayerMgrSet::GetViewPlayer, CurrentView());
  const char* kind = live > 0 && live == shown ? "LiveSnapshot" : "PlaybackSnapshot";
  const char* path = CallSet(customerInfoSet, &ICustomerInfoSet::GetKindPath, kind);
  return path != nullptr ? std::string(path) : std::string();
}

bool CShimwell::RunHostStyle(long style, bool on) {
  switch (style) {
    case 1:
      return CallSet(playerMgrSet, &IPlayerMgrSet::DeviceSwitch,
                     CallSet(deviceManagerSet, &IDeviceManagerSet::GetCurrentDevice), on);
    case 11:
      CallSet(ptzLocateSet, &IPTZLocateSet::LocateSwitch, on);
      return CallSet(ptzLocateSet, &IPTZLocateSet::LocateView, CurrentView(), on);
    case 14:
      return CallSet(playerMgrSet, &IPlayerMgrSet::SelectorSwitch, 0, on);
    case 15:
      return CallSet(playerMgrSet, &IPlayerMgrSet::SelectorSwitch, 1, on);
    default:
      return false;
  }
}

bool CShimwell::SubVideoWndCtrl(long style, long state) {
  for (const RequestStyle& row : RequestStyles()) {
    if (row.style != style) continue;
    Json::Value params(Json::objectValue);
    for (const StyleMember& member : row.members) {
      Json::Value& value = params[member.key];
      switch (member.from) {
        case From::kOn: value = state != 0; break;
        case From::kPositive: value = state > 0; break;
        case From::kState: value = static_cast<int>(state); break;
        // Wraps like the page's 32-bit arithmetic instead of overflowing.
        case From::kStateLessOne: value = static_cast<int>(static_cast<unsigned int>(state) - 1U); break;
        case From::kTrue: value = true; break;
        case From::kZero: value = 0; break;
        case From::kOne: value = 1; break;
        case From::kEmptyText: value = ""; break;
        case From::kSnapshotPath: value = SnapshotPath(); break;
      }
    }
    return Ask(row.method, params);
  }
  return RunHostStyle(style, state != 0);
}

}  // namespace Shimwell
