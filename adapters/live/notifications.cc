// Notifications to the page: the wiring run when a "web3.0" page is
// announced, the host signals, the player-state callback, and the inbound
// events whose page event is more than members read into arguments.
#include <string>

#include "adapters/live/event_params.h"
#include "adapters/live/host_calls.h"
#include "adapters/live/page_event.h"
#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

using fastdelegate::MakeDelegate;
using OrvikComponentInterface::IPlayerMgrSet;
using OrvikComponentInterface::PlayerStateDelegate;

namespace {

void FireMessage(const OrvikComponentInterface::HostContext* host, const std::string& text) {
  FirePageEvent(host, "message", {EventArg::Text(text)});
}

std::string CatchPictureMessage(const std::string& name) {
  return StyledMessage("CatchPicture", Members({{"name", name}}));
}

// The one-line report of a finished configuration import or export.
std::string ConfigFileReport(const char* event, const std::string& url, const Json::Value& params) {
  const int code = ParamBool(params, "success") ? 200 : 1;
  return CompactMessage(event, Members({{"code", code},
                                        {"errorCode", code},
                                        {"reqURL", url},
                                        {"statueCode", ""}}));
}

}  // namespace

void CShimwell::WireNotifications() {
  // Before "InterfaceInstantiationSignal" there is no record to write the
  // entry into; the table and the signals do not need one.
  if (adaptorSet) {
    adaptorSet->InboundText = MakeDelegate(this, &CShimwell::HandleInboundText);
  }
  const std::vector<InboundEventRow>& rows = LiveInboundEvents();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const InboundEventHandler handler =
        rows[i].handler != nullptr ? InboundEventHandler(this, rows[i].handler)
                                   : InboundEventHandler(&rowHandlers[i], &InboundEventRowHandler::Fire);
    AddInboundEventHandler(rows[i].inbound, this, handler);
  }
  ConnectSignal(hostContext, "CatchOnePicture", MakeDelegate(this, &CShimwell::OnCatchOnePicture));
  ConnectSignal(hostContext, "videoPlayWinRegionChangeSignal",
                MakeDelegate(this, &CShimwell::OnViewRegionChange));
  ConnectSignal(hostContext, "ModeChangedSignal", MakeDelegate(this, &CShimwell::OnModeChanged));
}

void CShimwell::OnCatchOnePicture(int /*unused1*/, const char* name, int /*unused3*/,
                                  int /*unused4*/) {
  FireMessage(hostContext, CatchPictureMessage(name != nullptr ? name : ""));
}

void CShimwell::OnModeChanged(int mode) {
  Notify(hostContext, "ShowToolbar", Members({{"visible", mode == 0}}));
}

bool CShimwell::OnPlayerState(int /*unused1*/, int player, int state, int /*unused4*/) {
  FirePageEvent(hostContext, "StateChanged",
                {EventArg::Int(0), EventArg::Int(state == 2 ? 1 : 0), EventArg::Int(0)});
  WatchPlayer(&IPlayerMgrSet::RewatchPlayerState, player);
  return true;
}

void CShimwell::WatchPlayer(
    OrvikComponentInterface::Pair<void, int, PlayerStateDelegate*> IPlayerMgrSet::*pair,
    int player) {
  PlayerStateDelegate callback(this, &CShimwell::OnPlayerState);
  CallSet(playerMgrSet, pair, player, &callback);
}

void CShimwell::OnConfigFileExported(const Json::Value& params) {
  FireMessage(hostContext, ConfigFileReport("configFileExport", exportUrl, params));
}

void CShimwell::OnConfigFileImported(const Json::Value& params) {
  FireMessage(hostContext, ConfigFileReport("configFileImport", importUrl, params));
}

void CShimwell::OnSnapOnePictureResult(const Json::Value& params) {
  FireMessage(hostContext, CatchPictureMessage(ParamText(params, "name")));
}

void CShimwell::OnRealTimeVideoException(const Json::Value& params) {
  const bool lost = ParamInt(params, "error") == 1;
  FirePageEvent(hostContext, "ErrorCode", {EventArg::Int(lost ? 17 : 0), EventArg::Int(lost ? 1 : -1)});
}

void CShimwell::OnHeatMapStatus(const Json::Value& params) {
  FireMessage(hostContext,
              StyledMessage("HeatMapStatus", Members({{"Status", ParamInt(params, "Status")}})));
}

}  // namespace Shimwell
