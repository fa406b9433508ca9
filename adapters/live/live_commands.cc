// Login, live video, full screen, window count, talk-back, pictures and recording.
#include <cstdint>
#include <cstring>
#include <string>

#include "adapters/live/host_calls.h"
#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

using OrvikComponentInterface::IDeviceManagerSet;
using OrvikComponentInterface::IMultiNodeDisplayMgrSet;
using OrvikComponentInterface::IPlayerMgrSet;

namespace {

// Page methods take `long` for the page's 32-bit integers; requests carry them as such.
int Int32(long value) { return static_cast<int>(value); }

}  // namespace

bool CShimwell::Ask(const char* method, const Json::Value& params) {
  return Exchange<bool>(hostContext, method, params, Read::kGuarded);
}

int CShimwell::CurrentView() {
  return CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::GetCurrentView);
}

long CShimwell::LoginDeviceEx(const char* ip, long port, const char* username,
                              const char* password, long spec_cap) {
  if (loggedIn) Notify(hostContext, "LogoutDevice", 0);
  protocol = static_cast<std::int16_t>(spec_cap);
  connectedProtocol = protocol;
  const int result = Exchange<int>(hostContext, "LoginDevice",
                                   Members({{"ip", ip},
                                            {"svrPort", Int32(port)},
                                            {"userName", username},
                                            {"password", password},
                                            {"specCap", Int32(spec_cap)}}),
                                   Read::kUnguarded);
  loggedIn = result > 0;
  if (loggedIn && !authorityInfo.empty()) {
    Notify(hostContext, "SetAuthorityInfo", Members({{"info", authorityInfo}}));
  }
  Notify(hostContext, "SetDecodeRenderType", Members({{"type", 1}, {"renderType", 4}}));
  Notify(hostContext, "SetVisibilityOfAllButtons", Members({{"visible", false}}));
  if (result > 0) return 0;
  // A login result of 0 is a failed login; 0 would tell the page it succeeded.
  return result == 0 ? -1 : result;
}

bool CShimwell::ConnectRealVideo(long channel, long stream) {
  const int channel32 = Int32(channel);
  const int stream32 = Int32(stream);
  // The host still shows the player of the last connection to this channel
  // and stream, made with the same protocol: nothing to do.
  if (cachedPlayerId != 0 &&
      CallSet(playerMgrSet, &IPlayerMgrSet::GetViewPlayer, CurrentView()) == cachedPlayerId &&
      cachedChannel == channel32 && cachedStream == stream32 && protocol == connectedProtocol) {
    return true;
  }
  const int player = Exchange<int>(
      hostContext, "ConnectRealVideo",
      Members({{"channel", channel32}, {"stream", stream32}, {"protocol", int{protocol}}}),
      Read::kUnguarded);
  if (player > 0) {
    WatchPlayer(&IPlayerMgrSet::WatchPlayerState, player);
    Notify(hostContext, "ActivateAutoFocus", Members({{"viewIndex", 0}, {"enable", true}}));
    cachedChannel = channel32;
    cachedStream = stream32;
  }
  cachedPlayerId = player;
  connectedProtocol = protocol;
  return player > 0;
}

bool CShimwell::SetFullScreenMode(int fullscreen) {
  return Ask("SetFullscreen", Members({{"flag", fullscreen > 0}}));
}

bool CShimwell::OnFullScreenClk() {
  SetFullScreenMode(1);
  return true;
}

bool CShimwell::SetVideoWndNum(int num) {
  return Ask("SwicthMultiWndNum", Members({{"num", num}}));
}

bool CShimwell::ControlTalking(int sample_rate, int depth, const char* encode, bool enable) {
  return Ask("ControlIntercom", Members({{"sampleRate", sample_rate},
                                         {"depth", depth},
                                         {"encode", encode},
                                         {"enable", enable}}));
}

bool CShimwell::ControlTalking(int flag) {
  const unsigned int device = CallSet(deviceManagerSet, &IDeviceManagerSet::GetCurrentDevice);
  return Ask(flag > 0 ? "OpenVoiceTalk" : "CloseVoiceTalk", Members({{"deviceID", device}}));
}

bool CShimwell::CatchPicture(int format, const char* path) {
  return Ask("CrabOnePicture", Members({{"format", format}, {"path", path}, {"open", true}}));
}

bool CShimwell::SnapOnePicture(const char* path, const char* format, bool flag) {
  const int jpeg = std::strcmp(format, "jpg") == 0 ? 1 : 0;
  return Ask("CrabOnePictureByName", Members({{"format", jpeg},
                                              {"path", std::string(path) + "." + format},
                                              {"open", flag}}));
}

const char* CShimwell::GetPlayedTime(int /*player_id*/) {
  playedTime = Exchange<std::string>(hostContext, Protocol2Request("GetPlayTime"), Read::kUnguarded);
  return playedTime.c_str();
}

bool CShimwell::RecordVideo(const char* path, int format, bool enable) {
  return Ask("ControlRecordingVideo", Members({{"path", path}, {"format", format}, {"enable", enable}}));
}

}  // namespace Shimwell
