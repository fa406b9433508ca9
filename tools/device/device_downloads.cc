// Downloads: each request gets an id, its progress grows with time from 0
// to 100, and the file is written into the data directory once it is done.
#include <fstream>
#include <memory>
#include <system_error>

#include <json/reader.h>

#include "runtime/json_text.h"
#include "tools/device/confined_path.h"
#include "tools/device/device.h"

namespace device {
namespace fs = std::filesystem;

namespace {

// A file description is a JSON object, as the device's record search gives.
bool IsFileDescription(const std::string& text) {
  Json::Value value;
  return Foundation::ReadJson(text.data(), text.data() + text.size(), &value, true) && value.isObject();
}

}  // namespace

Json::Value Device::StartDownload(const std::string& description, const std::string& directory,
                                  const std::string& name) {
  std::optional<fs::path> folder = PagePath(directory, "downloads");
  if (!folder) return 0u;
  const unsigned int id = next_download_++;
  const std::string file = name.empty() ? "download-" + std::to_string(id) + ".rec" : name;
  std::optional<fs::path> target = ConfinePath(*folder, file);
  if (!target || LastPathPart(file) != file) return 0u;  // a name, not a path
  Download download;
  download.target = *target;
  download.start = options_.clock();
  download.description = description;
  download.failed = description.empty();
  if (download.failed) Inbound("DownLoadError", Json::Value(Json::objectValue));
  downloads_[id] = download;
  return id;
}

Json::Value Device::DownloadByTime(const Json::Value& p) {
  const std::string start = Text(p, "startTime");
  const std::string end = Text(p, "endTime");
  const std::string description = !start.empty() && start < end ? start + " - " + end : "";
  return StartDownload(description, Text(p, "path"), Text(p, "savedName"));
}

Json::Value Device::DownloadByFile(const Json::Value& p) {
  const std::string info = Text(p, "fileInfo");
  return StartDownload(IsFileDescription(info) ? info : "", Text(p, "path"), Text(p, "savedName"));
}

Json::Value Device::DownloadByFileEx(const Json::Value& p) {
  const std::string info = Text(p, "fileInfo");
  return StartDownload(IsFileDescription(info) ? info : "", Text(p, "path"), Text(p, "saveName"));
}

int Device::Progress(Download& download) {
  if (download.failed) return -1;
  if (download.finished) return 100;
  const auto elapsed = options_.clock() - download.start;
  const auto total = std::max<long long>(1, options_.download_time.count());
  const long long percent =
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() * 100 / total;
  if (percent < 100) return static_cast<int>(percent);
  std::error_code error;
  fs::create_directories(download.target.parent_path(), error);
  std::ofstream out(download.target, std::ios::binary | std::ios::trunc);
  out << "recording " << download.description << "\n";
  if (!out) {
    download.failed = true;
    Inbound("DownLoadError", Json::Value(Json::objectValue));
    return -1;
  }
  download.finished = true;
  return 100;
}

Json::Value Device::GetDownoadProgress(const Json::Value& p) {
  auto download = downloads_.find(UInt(p, "requestID"));
  if (download == downloads_.end()) return -1;
  return Progress(download->second);
}

Json::Value Device::StopDownloadEx(const Json::Value& p) {
  auto download = downloads_.find(UInt(p, "requestID"));
  if (download == downloads_.end() || download->second.finished || download->second.failed) return false;
  downloads_.erase(download);
  return true;
}

Json::Value Device::StopAllDownload(const Json::Value&) {
  for (auto it = downloads_.begin(); it != downloads_.end();) {
    it = it->second.finished ? std::next(it) : downloads_.erase(it);
  }
  return true;
}

}  // namespace device
