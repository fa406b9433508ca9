// Shimwell::CPlayback: the playback adapter.
//
// It lets a "web3.0" page download recordings by file or by time, poll the
// progress of the running download and stop it, step playback back by one
// frame and set the volume, each through Protocol2 requests.  It turns the
// service's "DownLoadError" into the page event of that name; that handler
// sits in the live-view adapter's inbound table.  The host owns the adapter
// through the shared pointer its factory registers under
// "class Shimwell::CPlayback".
#ifndef SHIMWELL_ADAPTERS_PLAYBACK_PLAYBACK_H_
#define SHIMWELL_ADAPTERS_PLAYBACK_PLAYBACK_H_

#include <cstdint>

#include <json/value.h>

#include "adapters/live/live_adapter_link.h"
#include "adapters/live/shimwell.h"
#include "host/interface_sets.h"
#include "runtime/com_interface.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

class CPlayback {
 public:
  explicit CPlayback(OrvikComponentInterface::HostContext* host_context);
  CPlayback(const CPlayback&) = delete;
  CPlayback& operator=(const CPlayback&) = delete;
  // Releases the members in reverse order of declaration; the live-view link
  // takes the "DownLoadError" handler out of that adapter's table first.
  ~CPlayback() = default;

  // Builds an adapter and registers it with the host (the module factory).
  static void Create(OrvikComponentInterface::HostContext* host_context, void* unused);

  // Host signals.
  void OnInterfaceInstantiation();
  void OnImplComLoaded();
  void OnWebType();

  // The inbound "DownLoadError"; its params are not read.
  void OnDownLoadError(const Json::Value& params);

  // Page methods.  Downloads return 1 when the service gave an identifier,
  // -6 when it gave 0.
  int DownloadByTimeEx(long record_file_type, const char* begin_time, const char* end_time,
                       const char* saved_file_name, const char* format, const char* file_info);
  long GetPlaybackMsg(long lcmd);
  int DownloadByRecordFile(const char* file_info, const char* save_name, const char* format);
  bool StopDownload(unsigned int request_id);
  int DownloadByRecordFileEx(const char* file_info, const char* save_name, const char* format);
  bool SingleFramePlayBack();
  bool PlaySetVolume(long volume);

 private:
  void Publish(const char* name, Foundation::IComInterface* method);
  // Sends a download request, keeps the identifier it returns (0 included)
  // and reports it to the page.
  int StartDownload(const char* method, const Json::Value& params);

  OrvikComponentInterface::HostContext* hostContext;
  // Held, never called.
  Foundation::CSharedPtr<OrvikComponentInterface::IMultiNodeDisplayMgrSet> displayMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IPlayerMgrSet> playerMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IDeviceManagerSet> deviceManagerSet;
  // The source of the page type.
  Foundation::CSharedPtr<OrvikComponentInterface::ICustomerInfoSet> customerInfoSet;
  // Its inbound table receives the "DownLoadError" handler.
  LiveAdapterLink liveAdapter{"DownLoadError", InboundEventHandler(this, &CPlayback::OnDownLoadError)};
  // The identifier the last download request returned; all bits set before any.
  std::uint32_t downloadRequestId = 4294967295u;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_PLAYBACK_PLAYBACK_H_
