// Device: a simulated device behind the host that answers Protocol2
// requests with consistent, stateful results.  It keeps logins, players per
// view, downloads, dialogs, storage paths, analysis containers and shapes,
// and writes pictures, recordings, downloads and exported files as real
// files inside its data directory.  What it does on its own after an answer
// (inbound events, host signals, player-state reports) is queued as notices
// for the host to deliver once the call that caused them has returned.
//
// Not thread-safe: one device per page connection, used from one thread.
#ifndef SHIMWELL_TOOLS_DEVICE_DEVICE_H_
#define SHIMWELL_TOOLS_DEVICE_DEVICE_H_

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

namespace device {

using Clock = std::function<std::chrono::steady_clock::time_point()>;

// The account the device accepts.
constexpr char kUser[] = "admin";
constexpr char kPassword[] = "admin";
// Login results the device gives for a refused login.
constexpr int kWrongPassword = -1;
constexpr int kUnknownUser = -2;
constexpr int kUnreachable = -3;

struct Notice {
  enum class Kind {
    kInbound,      // an inbound Protocol2 event: name and params
    kSignal,       // a host signal: name and its argument array
    kPlayerState,  // a player report: args [player, state]
  };
  Kind kind;
  std::string name;
  Json::Value args;
};

struct ViewState {
  int split = 1;
  int current_view = 0;
  bool fullscreen = false;
  std::map<int, int> players;  // view index -> player id
};

struct DeviceOptions {
  std::filesystem::path data_dir;
  std::chrono::milliseconds download_time{3000};  // from 0 to 100 percent
  Clock clock = [] { return std::chrono::steady_clock::now(); };
  // For fault tests only: the replies go round empty, cut-off, array,
  // text and the true reply, one kind per request.
  bool faulty_replies = false;
};

class Device {
 public:
  explicit Device(DeviceOptions options);
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // The reply text to a request text; the empty text for a request that is
  // not JSON or names no method the device knows.
  std::string Handle(const std::string& request);

  // What the device did on its own since the last call, in order.
  std::vector<Notice> TakeNotices();

  const ViewState& view() const { return view_; }
  bool logged_in() const { return login_handle_ > 0; }
  unsigned int device_id() const { return logged_in() ? 1u : 0u; }
  const std::filesystem::path& data_dir() const { return options_.data_dir; }
  // The analysis display as a view draws it: {"enabled": whether a container
  // is enabled, "shapes": {number: {"view", "main", "shapeType",
  // "markedName", "data", "shown", "selected", "color"}}}.
  Json::Value AnalysisDisplay() const;

  // What a person does at the host: pick a view, change the display mode,
  // log the device out (the host announces it first).
  void SelectView(int view);
  void ChangeMode(int mode);
  void Logout();

 private:
  using Handler = Json::Value (Device::*)(const Json::Value& params);
  static const std::map<std::string, Handler>& Handlers();

  // Live and view (device.cc).
  Json::Value LoginDevice(const Json::Value& p);
  Json::Value LogoutDevice(const Json::Value& p);
  Json::Value ConnectRealVideo(const Json::Value& p);
  Json::Value GetPlayTime(const Json::Value& p);
  Json::Value SetFullscreen(const Json::Value& p);
  Json::Value SwicthMultiWndNum(const Json::Value& p);
  Json::Value VoiceTalk(const Json::Value& p);
  Json::Value DisplayMode(const Json::Value& p);
  Json::Value CreateAIHeatMap(const Json::Value& p);
  Json::Value SetVolume(const Json::Value& p);
  Json::Value Setting(const Json::Value& p);
  // Files, dialogs and configuration (device_files.cc).
  Json::Value CrabOnePicture(const Json::Value& p);
  Json::Value CrabTriplePicture(const Json::Value& p);
  Json::Value ControlRecordingVideo(const Json::Value& p);
  Json::Value WriteFile(const Json::Value& p);
  Json::Value SelectDirectory(const Json::Value& p);
  Json::Value SelectOpenFile(const Json::Value& p);
  Json::Value SelectSaveFile(const Json::Value& p);
  Json::Value GetStoragePath(const Json::Value& p);
  Json::Value SetStoragePath(const Json::Value& p);
  Json::Value ImportConfigFile(const Json::Value& p);
  Json::Value ExportConfigFile(const Json::Value& p);
  // Downloads (device_downloads.cc).
  Json::Value DownloadByTime(const Json::Value& p);
  Json::Value DownloadByFile(const Json::Value& p);
  Json::Value DownloadByFileEx(const Json::Value& p);
  Json::Value GetDownoadProgress(const Json::Value& p);
  Json::Value StopDownloadEx(const Json::Value& p);
  Json::Value StopAllDownload(const Json::Value& p);
  // Analysis containers and shapes (device_analysis.cc).
  Json::Value CreateVideoAnalyseContainer(const Json::Value& p);
  Json::Value EnableVideoAnalyseContainer(const Json::Value& p);
  Json::Value CreateMainVideoAnalyseShape(const Json::Value& p);
  Json::Value AddSubVideoAnalyseShape(const Json::Value& p);
  Json::Value GetVideoAnalyseShapeConfigData(const Json::Value& p);
  Json::Value DeleteVideoAnalyseShape(const Json::Value& p);
  Json::Value DeleteAllVideoAnalyseShape(const Json::Value& p);
  Json::Value SetShapeAttribute(const Json::Value& p);
  Json::Value SetContainerAttribute(const Json::Value& p);

  struct Download {
    std::filesystem::path target;
    std::chrono::steady_clock::time_point start;
    std::string description;
    bool failed = false;
    bool finished = false;
  };
  struct Shape {
    Json::Value created;  // the creation params, "data" parsed when it is JSON
    Json::Value attributes = Json::Value(Json::objectValue);  // by method: the last params
    int main_shape = 0;  // 0 for a main shape
    int view = 0;        // the view that was current when it was drawn
  };
  struct Container {
    Json::Value attributes = Json::Value(Json::objectValue);
    std::map<int, Shape> shapes;
  };

  // The path inside the data directory, or nothing when the page's path
  // escapes it.  `folder` is used for an empty path.
  std::optional<std::filesystem::path> PagePath(const std::string& page_path, const char* folder) const;
  Json::Value StartDownload(const std::string& description, const std::string& directory,
                            const std::string& name);
  // Advances a download to the present; writes the file once it is done.
  int Progress(Download& download);
  Container* FindContainer(const Json::Value& params);
  Shape* FindShape(const Json::Value& params);
  void Inbound(const std::string& name, Json::Value params);
  void Signal(const std::string& name, Json::Value args);
  // Members of the params, or a neutral value when missing or of another type.
  static std::string Text(const Json::Value& params, const char* key);
  static int Int(const Json::Value& params, const char* key);
  static bool Bool(const Json::Value& params, const char* key);
  static unsigned int UInt(const Json::Value& params, const char* key);
  // Writes a small picture file and reports it to the host.
  bool WritePicture(const std::filesystem::path& path);

  DeviceOptions options_;
  std::string current_method_;  // the method being answered
  std::size_t replies_sent_ = 0;  // for faulty_replies
  std::vector<Notice> notices_;
  ViewState view_;
  int login_handle_ = 0;
  int next_login_ = 1;
  int next_player_ = 1;
  std::map<int, std::chrono::steady_clock::time_point> player_started_;
  std::map<std::string, Json::Value> settings_;  // last params of each setting method
  std::map<int, std::string> storage_paths_;
  std::optional<std::filesystem::path> recording_;
  std::chrono::steady_clock::time_point recording_started_;
  int next_file_ = 1;
  unsigned int next_download_ = 1;
  std::map<unsigned int, Download> downloads_;
  int next_container_ = 1;
  int next_shape_ = 1;
  int next_heat_map_ = 1;
  std::map<std::string, Container> containers_;
};

}  // namespace device

#endif  // SHIMWELL_TOOLS_DEVICE_DEVICE_H_
