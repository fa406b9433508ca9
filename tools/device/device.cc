#include "tools/device/device.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <memory>
#include <utility>

#include <json/reader.h>
#include <json/writer.h>

#include "runtime/json_text.h"
#include "tools/device/compact_json.h"

namespace device {

namespace {

// The state a player reports once it plays.
constexpr int kPlaying = 2;
// The size of the simulated video area that views are cut from.
constexpr int kAreaWidth = 1920;
constexpr int kAreaHeight = 1080;

// [left, top, right, bottom] of `view` when the area is split into `split`
// views on a square grid.
Json::Value ViewRect(int split, int view) {
  const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(split)))));
  const int width = kAreaWidth / columns;
  const int height = kAreaHeight / columns;
  const int left = (view % columns) * width;
  const int top = (view / columns) * height;
  Json::Value rect(Json::arrayValue);
  for (int value : {left, top, left + width, top + height}) rect.append(value);
  return rect;
}

}  // namespace

Device::Device(DeviceOptions options) : options_(std::move(options)) {}

const std::map<std::string, Device::Handler>& Device::Handlers() {
  // Methods that only change a setting answer true and keep their params.
  static const std::map<std::string, Handler> handlers = {
      {"LoginDevice", &Device::LoginDevice},
      {"LogoutDevice", &Device::LogoutDevice},
      {"ConnectRealVideo", &Device::ConnectRealVideo},
      {"GetPlayTime", &Device::GetPlayTime},
      {"SetFullscreen", &Device::SetFullscreen},
      {"SwicthMultiWndNum", &Device::SwicthMultiWndNum},
      {"OpenVoiceTalk", &Device::VoiceTalk},
      {"CloseVoiceTalk", &Device::VoiceTalk},
      {"ControlIntercom", &Device::VoiceTalk},
      {"SetShowMultiScreenMode", &Device::DisplayMode},
      {"SetFeShowMode", &Device::DisplayMode},
      {"CreateAIHeatMap", &Device::CreateAIHeatMap},
      {"SetVolume", &Device::SetVolume},
      {"NoticeInitializedSignal", &Device::Setting},
      {"SetDecodeRenderType", &Device::Setting},
      {"SetVisibilityOfAllButtons", &Device::Setting},
      {"SetAuthorityInfo", &Device::Setting},
      {"ShowToolbar", &Device::Setting},
      {"ActivateAutoFocus", &Device::Setting},
      {"ActiveLocalEnlarge", &Device::Setting},
      {"EnableManualLocate", &Device::Setting},
      {"ActiveLocalFocus", &Device::Setting},
      {"ActiveMeasureDistance", &Device::Setting},
      {"ActiveKeepRegion", &Device::Setting},
      {"CatchPictureFromDev", &Device::Setting},
      {"SetMouseDrawEnable", &Device::Setting},
      {"SetTranslationTable", &Device::Setting},
      {"AdjustImageParams", &Device::Setting},
      {"SetAFEnable", &Device::Setting},
      {"SetAllVideoDisplayRadio", &Device::Setting},
      {"SetAntiAliasEnable", &Device::Setting},
      {"StartVideoJoin", &Device::Setting},
      {"SetLensInfo", &Device::Setting},
      {"EnableCrowdDistriMap", &Device::Setting},
      {"SetRuleStateEnable", &Device::Setting},
      {"StartRecvFacePic", &Device::Setting},
      {"PlayPreFrame", &Device::Setting},
      {"CrabOnePicture", &Device::CrabOnePicture},
      {"CrabOnePictureByName", &Device::CrabOnePicture},
      {"CrabTriplePicture", &Device::CrabTriplePicture},
      {"ControlRecordingVideo", &Device::ControlRecordingVideo},
      {"WriteFile", &Device::WriteFile},
      {"SelectDirectory", &Device::SelectDirectory},
      {"SelectOpenFile", &Device::SelectOpenFile},
      {"SelectSaveFile", &Device::SelectSaveFile},
      {"GetStoragePath", &Device::GetStoragePath},
      {"SetStoragePath", &Device::SetStoragePath},
      {"ImportConfigFile", &Device::ImportConfigFile},
      {"ExportConfigFile", &Device::ExportConfigFile},
      {"DownloadByTime", &Device::DownloadByTime},
      {"DownloadByFile", &Device::DownloadByFile},
      {"DownloadByFileEx", &Device::DownloadByFileEx},
      {"GetDownoadProgress", &Device::GetDownoadProgress},
      {"StopDownloadEx", &Device::StopDownloadEx},
      {"StopAllDownload", &Device::StopAllDownload},
      {"CreateVideoAnalyseContainer", &Device::CreateVideoAnalyseContainer},
      {"EnableVideoAnalyseContainer", &Device::EnableVideoAnalyseContainer},
      {"CreateMainVideoAnalyseShape", &Device::CreateMainVideoAnalyseShape},
      {"AddSubVideoAnalyseShape", &Device::AddSubVideoAnalyseShape},
      {"GetVideoAnalyseShapeConfigData", &Device::GetVideoAnalyseShapeConfigData},
      {"DeleteVideoAnalyseShape", &Device::DeleteVideoAnalyseShape},
      {"DeleteAllVideoAnalyseShape", &Device::DeleteAllVideoAnalyseShape},
      {"SelectVideoAnalyseShape", &Device::SetShapeAttribute},
      {"EnableVideoAnalyseShape", &Device::SetShapeAttribute},
      {"RedrawVideoAnalyseShape", &Device::SetShapeAttribute},
      {"SetVideoAnalyseShapeShowName", &Device::SetShapeAttribute},
      {"ShowVideoAnalyseShape", &Device::SetShapeAttribute},
      {"SetVideoAnalyseShapeDirection", &Device::SetShapeAttribute},
      {"SetVideoAnalyseShapeColor", &Device::SetShapeAttribute},
      {"SetVideoAnalyseContainerTip", &Device::SetContainerAttribute},
      {"SetHaveAdjustBox", &Device::SetContainerAttribute},
  };
  return handlers;
}

std::string Device::Handle(const std::string& request) {
  Json::Value value;
  if (!Foundation::ReadJson(request.data(), request.data() + request.size(), &value, true)) return "";
  if (!value.isObject() || !value["method"].isString()) return "";
  const auto handler = Handlers().find(value["method"].asString());
  if (handler == Handlers().end()) return "";
  // A page can send any value of any type: members are read only when
  // they have the type a handler expects (see the accessors it uses).
  Json::Value params = value.get("params", Json::Value());
  current_method_ = handler->first;
  Json::Value reply(Json::objectValue);
  reply["result"] = (this->*handler->second)(params);
  if (options_.faulty_replies) {
    static const char* const kFaults[] = {"", "{\"result\": ", "[1, 2]", "\"text\""};
    const std::size_t turn = replies_sent_++ % (std::size(kFaults) + 1);
    if (turn < std::size(kFaults)) return kFaults[turn];
  }
  return CompactJson(reply);
}

std::vector<Notice> Device::TakeNotices() {
  std::vector<Notice> taken = std::move(notices_);
  notices_.clear();
  return taken;
}

void Device::Inbound(const std::string& name, Json::Value params) {
  notices_.push_back({Notice::Kind::kInbound, name, std::move(params)});
}

void Device::Signal(const std::string& name, Json::Value args) {
  notices_.push_back({Notice::Kind::kSignal, name, std::move(args)});
}

// --- What a person does at the host.

void Device::SelectView(int view) {
  if (view < 0 || view >= view_.split) return;
  view_.current_view = view;
  Json::Value args(Json::arrayValue);
  args.append(view);
  args.append(ViewRect(view_.split, view));
  Signal("videoPlayWinRegionChangeSignal", args);
}

void Device::ChangeMode(int mode) {
  Json::Value args(Json::arrayValue);
  args.append(mode);
  Signal("ModeChangedSignal", args);
}

void Device::Logout() {
  login_handle_ = 0;
  view_.players.clear();
  player_started_.clear();
  recording_.reset();
}

// --- Live and view.

Json::Value Device::LoginDevice(const Json::Value& p) {
  const std::string ip = Text(p, "ip");
  if (ip.empty() || Int(p, "svrPort") <= 0) return kUnreachable;
  if (Text(p, "userName") != kUser) return kUnknownUser;
  if (Text(p, "password") != kPassword) return kWrongPassword;
  login_handle_ = next_login_++;
  return login_handle_;
}

Json::Value Device::LogoutDevice(const Json::Value&) {
  const bool was = logged_in();
  Logout();
  return was;
}

Json::Value Device::ConnectRealVideo(const Json::Value& p) {
  if (!logged_in() || Int(p, "channel") < 0) return -1;
  const int player = next_player_++;
  const int view = view_.current_view;
  if (auto old = view_.players.find(view); old != view_.players.end()) player_started_.erase(old->second);
  view_.players[view] = player;
  player_started_[player] = options_.clock();
  Json::Value report(Json::arrayValue);
  report.append(player);
  report.append(kPlaying);
  notices_.push_back({Notice::Kind::kPlayerState, "", report});
  return player;
}

Json::Value Device::GetPlayTime(const Json::Value&) {
  long long seconds = 0;
  if (auto player = view_.players.find(view_.current_view); player != view_.players.end()) {
    seconds = std::chrono::duration_cast<std::chrono::seconds>(options_.clock() -
                                                              player_started_[player->second])
                  .count();
  }
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

Json::Value Device::SetFullscreen(const Json::Value& p) {
  view_.fullscreen = Bool(p, "flag");
  SelectView(view_.current_view);
  return true;
}

Json::Value Device::SwicthMultiWndNum(const Json::Value& p) {
  const int num = Int(p, "num");
  if (num < 1 || num > 64) return false;
  view_.split = num;
  // Players of views that no longer exist stop.
  for (auto it = view_.players.begin(); it != view_.players.end();) {
    if (it->first >= num) {
      player_started_.erase(it->second);
      it = view_.players.erase(it);
    } else {
      ++it;
    }
  }
  SelectView(view_.current_view < num ? view_.current_view : 0);
  return true;
}

Json::Value Device::VoiceTalk(const Json::Value& p) {
  if (!logged_in()) return false;
  settings_[current_method_] = p;
  return true;
}

Json::Value Device::DisplayMode(const Json::Value& p) {
  settings_[current_method_] = p;
  ChangeMode(Text(p, "mode") == "Original" ? 0 : 1);
  return true;
}

Json::Value Device::CreateAIHeatMap(const Json::Value& p) {
  if (!logged_in() || Text(p, "beginTime").empty() || Text(p, "endTime").empty()) return 0;
  settings_[current_method_] = p;
  return next_heat_map_++;
}

Json::Value Device::SetVolume(const Json::Value& p) {
  const int volume = Int(p, "volume");
  if (volume < 0 || volume > 100) return false;
  settings_[current_method_] = p;
  return true;
}

Json::Value Device::Setting(const Json::Value& p) {
  settings_[current_method_] = p;
  return true;
}

// --- Reading params whatever the page sent.

std::string Device::Text(const Json::Value& params, const char* key) {
  if (!params.isObject()) return "";
  const Json::Value& value = params[key];
  return value.isString() ? value.asString() : "";
}

int Device::Int(const Json::Value& params, const char* key) {
  if (!params.isObject()) return 0;
  const Json::Value& value = params[key];
  return value.isInt() ? value.asInt() : 0;
}

bool Device::Bool(const Json::Value& params, const char* key) {
  if (!params.isObject()) return false;
  const Json::Value& value = params[key];
  return value.isBool() ? value.asBool() : (value.isInt() && value.asInt() != 0);
}

unsigned int Device::UInt(const Json::Value& params, const char* key) {
  if (!params.isObject()) return 0;
  const Json::Value& value = params[key];
  return value.isUInt() ? value.asUInt() : 0;
}

}  // namespace device
