// Image adjustment, display modes and the analysis displays of the live view.
#include <cstddef>

#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

namespace {

// The page passes an index into these tables; the request carries the name.
const char* const kMultiScreenLayouts[] = {
    "Original", "OnePlusThree", "OnePlusFive", "OnePlusThreeEx", "OnePlusSix", "Pano",
};

const char* const kFisheyeModes[] = {
    "Original", "BkOnePano", "BkPanoPlusOneEptz", "BkTwoPano",
    "BkOriSusPlusTwoEptz", "BkOriPlusThreeEptz", "BkPanoPlusThreeEptz", "BkOriSusPlusFourEptz",
    "BkOriPlusFourEptz", "BkPanoSusPlusFourEptz", "BkPanoPlusSixEptz", "BkOriPlusEightEptz",
    "BkPanoPlusEightEptz", "BkOriSusPlusTwoPano", "BkOriPlusTwoPano", "BkOriPlusTwoEptz",
    "BkPanoPlusFourEptz", "BkOriPlusOneEptz", "BkOneEptz", "VRSemiSphere",
    "VRCylinder", "VRLittlePlanet", "VRPano",
};

const char* const kHeatMapTypes[] = {"AverageStayTime", "HumanStatistics", "HumanTrack"};

// The name at `index`, or null when the index is outside the table.
template <std::size_t N>
const char* NameAt(const char* const (&table)[N], int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? table[index] : nullptr;
}

}  // namespace

bool CShimwell::SetColor(int region_index, int brightness, int contrast, int saturation, int hue) {
  return Ask("AdjustImageParams", Members({{"regionIndex", region_index},
                                           {"brightness", brightness},
                                           {"contrast", contrast},
                                           {"saturation", saturation},
                                           {"hue", hue}}));
}

bool CShimwell::PartialEnlarged(bool enable) {
  return Ask("ActiveLocalEnlarge", Members({{"enable", enable}}));
}

bool CShimwell::SetAutoAFEnable(bool enable) { return Ask("SetAFEnable", Members({{"enable", enable}})); }

// Every function the page asks about is offered; nothing is sent.
bool CShimwell::CheckFuncSupport(int /*func_type*/) { return true; }

// Mode 2 is the 16:9 ratio; the other modes carry no ratio.
bool CShimwell::SetShowMode(int mode) {
  const bool wide = mode == 2;
  return Ask("SetAllVideoDisplayRadio",
             Members({{"mode", mode}, {"width", wide ? 16 : 0}, {"height", wide ? 9 : 0}}));
}

bool CShimwell::SetAntiAliasMode(int mode) {
  return Ask("SetAntiAliasEnable", Members({{"enable", mode != 0}}));
}

bool CShimwell::SetShowMultiScreenMode(int mode) {
  const char* layout = NameAt(kMultiScreenLayouts, mode);
  return layout != nullptr && Ask("SetShowMultiScreenMode", Members({{"mode", layout}}));
}

bool CShimwell::StartJpegVideoJoin(int channel) {
  return Ask("StartVideoJoin", Members({{"channel", channel}}));
}

bool CShimwell::SetLensInfoEx(const char* info) { return Ask("SetLensInfo", Members({{"leninfo", info}})); }

bool CShimwell::ActiveCrowdDistriMap(bool enable, int win_id) {
  return Ask("EnableCrowdDistriMap", Members({{"nodeIndex", win_id}, {"enable", enable}}));
}

bool CShimwell::ShowRuleState(bool enable) {
  return Ask("SetRuleStateEnable", Members({{"enable", enable}}));
}

bool CShimwell::StartRecvFacePic() { return Ask("StartRecvFacePic", Members({{"nChannel", 0}})); }

bool CShimwell::SetFeShowMode(int mode) {
  const char* name = NameAt(kFisheyeModes, mode);
  return name != nullptr && Ask("SetFeShowMode", Members({{"mode", name}}));
}

// Both page names of the heat map land here.  A type without a name cannot
// make a request: 0, as for an unanswered one.
int CShimwell::CreateAiHeatMap(const char* beg_time, const char* end_time, int type, int ptz_id) {
  const char* type_name = NameAt(kHeatMapTypes, type);
  if (type_name == nullptr) return 0;
  return Exchange<int>(hostContext, "CreateAIHeatMap",
                       Members({{"type", type_name},
                                {"beginTime", beg_time},
                                {"endTime", end_time},
                                {"ptzID", ptz_id},
                                {"channel", 0}}),
                       Read::kGuarded);
}

}  // namespace Shimwell
