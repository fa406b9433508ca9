// Shimwell::CShimwell: the live-view adapter.
//
// It stands between a page that speaks the legacy page API (named methods
// with named parameters, named events) and the host's components, which speak
// Protocol2.  It publishes the live-view page methods, owns the inbound-event
// table that every adapter's Protocol2 events go through, and turns events
// and host signals into page events.  The host owns it through the shared
// pointer its factory registers under "class Shimwell::CShimwell".
#ifndef SHIMWELL_ADAPTERS_LIVE_SHIMWELL_H_
#define SHIMWELL_ADAPTERS_LIVE_SHIMWELL_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <json/value.h>

#include "adapters/live/inbound_event_row.h"
#include "host/interface_sets.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

class CShimwell;

// A handler of an inbound Protocol2 event: an object and a member function
// taking the event's "params".
using InboundEventHandler = fastdelegate::FastDelegate1<const Json::Value&, void>;

// Adds `handler` under `name` to the inbound-event table of `target`.  The
// first registration of a name wins; later ones leave the table unchanged.
void AddInboundEventHandler(const char* name, CShimwell* target,
                            const InboundEventHandler& handler);

// Removes the entry under `name` from the table of `target` if it is
// `handler` (the same object and member function); another adapter's entry
// stays.  An adapter that goes before the live-view adapter calls this, so
// that no event reaches it once it is destroyed.
void RemoveInboundEventHandler(const char* name, CShimwell* target,
                               const InboundEventHandler& handler);

class CShimwell {
 public:
  explicit CShimwell(OrvikComponentInterface::HostContext* host_context);
  CShimwell(const CShimwell&) = delete;
  CShimwell& operator=(const CShimwell&) = delete;
  // Releases the members in reverse order of declaration.  Signals, methods,
  // the inbound entry and imageShape stay with the host.
  ~CShimwell() = default;

  // Builds an adapter and registers it with the host (the module factory).
  static void Create(OrvikComponentInterface::HostContext* host_context, void* unused);

  // Host signals.
  void OnInterfaceInstantiation();
  void OnImplComLoaded();
  void OnWebType();
  void OnRemoteDevicePreLogout(unsigned int device);
  void OnPluginViewCreate(HWND window);
  void OnCatchOnePicture(int unused1, const char* name, int unused3, int unused4);
  void OnViewRegionChange(int view, const wpRect& unused);
  void OnModeChanged(int mode);
  bool OnPlayerState(int unused1, int player, int state, int unused4);

  // The entry the host calls with the text of each inbound Protocol2 event.
  void HandleInboundText(const char* text);

  // Live video, players, talk-back, pictures, recording, image overlay.
  long LoginDeviceEx(const char* ip, long port, const char* username, const char* password,
                     long spec_cap);
  bool ConnectRealVideo(long channel, long stream);
  bool SetFullScreenMode(int fullscreen);
  bool OnFullScreenClk();
  bool SubVideoWndCtrl(long style, long state);
  bool SetVideoWndNum(int num);
  bool ControlTalking(int sample_rate, int depth, const char* encode, bool enable);
  bool ControlTalking(int flag);
  bool CatchPicture(int format, const char* path);
  const char* GetPlayedTime(int player_id);
  bool RecordVideo(const char* path, int format, bool enable);
  bool SnapOnePicture(const char* path, const char* format, bool flag);
  bool ShowImageInWindow(const char* path, bool enable);

  // Files, dialogs, configuration and HTTP (live_files.cc).
  bool WriteFile(const char* path, const char* buffer, const char* mode);
  bool ShowFileBrowse();
  bool ShowOpen();
  bool ShowSave();
  bool SetFilter(const char* filter_text);
  bool SetFilename(const char* filename);
  const char* GetConfigPath(long type);
  bool SetConfigPath(long type, const char* path);
  bool PostOneHttpRequest(const char* url, const char* file_name, const char* content_type,
                          const char* session_id, const char* event);
  bool RequestOneCGIInteraction(const char* url, const char* file_name, const char* event);
  bool SetMouseDrawEnable(long enable);
  bool SetTranslateString(const char* str);
  bool SetConfig(const char* name, const char* table);

  // Image, display modes and analysis displays (live_display.cc).
  bool SetColor(int region_index, int brightness, int contrast, int saturation, int hue);
  bool PartialEnlarged(bool enable);
  bool SetAutoAFEnable(bool enable);
  bool CheckFuncSupport(int func_type);
  bool SetShowMode(int mode);
  bool SetAntiAliasMode(int mode);
  bool SetShowMultiScreenMode(int mode);
  bool StartJpegVideoJoin(int channel);
  bool SetLensInfoEx(const char* info);
  bool ActiveCrowdDistriMap(bool enable, int win_id);
  bool ShowRuleState(bool enable);
  bool StartRecvFacePic();
  bool SetFeShowMode(int mode);
  int CreateAiHeatMap(const char* beg_time, const char* end_time, int type, int ptz_id);

  // Inbound events whose page event is more than members read into arguments.
  void OnConfigFileExported(const Json::Value& params);
  void OnConfigFileImported(const Json::Value& params);
  void OnSnapOnePictureResult(const Json::Value& params);
  void OnRealTimeVideoException(const Json::Value& params);
  void OnHeatMapStatus(const Json::Value& params);

 private:
  friend void AddInboundEventHandler(const char*, CShimwell*, const InboundEventHandler&);
  friend void RemoveInboundEventHandler(const char*, CShimwell*, const InboundEventHandler&);

  void PublishPageMethods();
  void WireNotifications();
  void Publish(const char* name, Foundation::IComInterface* method);
  // Arms (or re-arms) the player-state callback for `player` through `pair`.
  void WatchPlayer(OrvikComponentInterface::Pair<void, int, OrvikComponentInterface::PlayerStateDelegate*>
                       OrvikComponentInterface::IPlayerMgrSet::*pair,
                   int player);
  int CurrentView();
  std::string SnapshotPath();
  bool RunHostStyle(long style, bool on);
  void PlaceImageShape(const wpRect& rect);
  // Sends the guarded-bool request of a page method.
  bool Ask(const char* method, const Json::Value& params);

  std::int16_t protocol = 0;
  std::int16_t connectedProtocol = -1;
  std::int32_t cachedStream = -1;
  std::int32_t cachedChannel = -1;
  OrvikComponentInterface::HostContext* hostContext;
  Foundation::CSharedPtr<OrvikComponentInterface::IMultiNodeDisplayMgrSet> displayMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IPlayerMgrSet> playerMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IDeviceManagerSet> deviceManagerSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IAdaptorSet> adaptorSet;
  Foundation::CSharedPtr<OrvikComponentInterface::ICustomerInfoSet> customerInfoSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IPTZLocateSet> ptzLocateSet;
  Foundation::CSharedPtr<OrvikComponentInterface::ITimerSet> timerSet;
  // Ordered by name; found by any string-like key without building a string.
  std::map<std::string, InboundEventHandler, std::less<>> inboundEventHandlers;
  std::string filter;
  std::string defaultName;
  std::string storagePath;
  std::string exportUrl;
  std::string importUrl;
  OrvikComponentInterface::IImageShape* imageShape = nullptr;
  std::int32_t cachedPlayerId = 0;
  bool loggedIn = false;
  std::string authorityInfo;
  // The text GetPlayedTime returns; it must outlive the call that reads it.
  std::string playedTime;
  // The rows of LiveInboundEvents() bound to this adapter's host, one each.
  std::vector<InboundEventRowHandler> rowHandlers;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_SHIMWELL_H_
