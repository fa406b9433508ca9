// The playback page methods and the "DownLoadError" page event.  Every reply
// is read unguarded: an empty or malformed one ends the method in "bad cast"
// before anything is stored.
#include "adapters/live/event_params.h"
#include "adapters/live/page_event.h"
#include "adapters/live/protocol2.h"
#include "adapters/playback/playback.h"
#include "adapters/playback/save_path.h"

namespace Shimwell {

namespace {

// Download progress is reported in thousandths; more is capped.
constexpr int kFullProgress = 1000;
// What the page hears when the service starts no download.
constexpr int kNoDownload = -6;

}  // namespace

int CPlayback::StartDownload(const char* method, const Json::Value& params) {
  downloadRequestId = Exchange<unsigned int>(hostContext, method, params, Read::kUnguarded);
  return downloadRequestId != 0 ? 1 : kNoDownload;
}

int CPlayback::DownloadByTimeEx(long /*record_file_type*/, const char* begin_time,
                                const char* end_time, const char* saved_file_name,
                                const char* format, const char* file_info) {
  // Only a backslash separates the folder here; a forward slash does not.
  return StartDownload("DownloadByTime", Members({{"fileInfo", file_info},
                                                  {"path", ""},
                                                  {"savedName", AfterLastBackslash(saved_file_name)},
                                                  {"startTime", begin_time},
                                                  {"endTime", end_time},
                                                  {"format", format}}));
}

int CPlayback::DownloadByRecordFile(const char* file_info, const char* save_name,
                                    const char* format) {
  return StartDownload("DownloadByFile", Members({{"fileInfo", file_info},
                                                  {"path", ""},
                                                  {"savedName", save_name},
                                                  {"format", format}}));
}

int CPlayback::DownloadByRecordFileEx(const char* file_info, const char* save_name,
                                      const char* format) {
  return StartDownload("DownloadByFileEx", Members({{"fileInfo", file_info},
                                                    {"path", SaveFolder(save_name)},
                                                    {"saveName", SaveFileName(save_name)},
                                                    {"format", format}}));
}

long CPlayback::GetPlaybackMsg(long /*lcmd*/) {
  const int progress = Exchange<int>(hostContext, "GetDownoadProgress",
                                     Members({{"requestID", downloadRequestId}}), Read::kUnguarded);
  return progress > kFullProgress ? kFullProgress : progress;
}

bool CPlayback::StopDownload(unsigned int request_id) {
  if (Exchange<bool>(hostContext, "StopDownloadEx", Members({{"requestID", request_id}}),
                     Read::kUnguarded)) {
    return true;
  }
  return Exchange<bool>(hostContext, "StopAllDownload", Json::Value(), Read::kUnguarded);
}

bool CPlayback::SingleFramePlayBack() {
  return Exchange<bool>(hostContext, "PlayPreFrame", Json::Value(), Read::kUnguarded);
}

bool CPlayback::PlaySetVolume(long volume) {
  return Exchange<bool>(hostContext, "SetVolume", Members({{"volume", static_cast<int>(volume)}}),
                        Read::kUnguarded);
}

void CPlayback::OnDownLoadError(const Json::Value& /*params*/) {
  FirePageEvent(hostContext, "DownLoadError", {EventArg::Int(-1), EventArg::Int(0)});
}

}  // namespace Shimwell
