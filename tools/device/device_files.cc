// Pictures, recordings, written files, dialogs, storage paths and the
// import and export of configuration files.
#include <algorithm>
#include <fstream>
#include <system_error>

#include <json/reader.h>
#include <json/writer.h>

#include "tools/device/confined_path.h"
#include "tools/device/device.h"

namespace device {
namespace fs = std::filesystem;

namespace {

// A 2 x 2 pixel, 24-bit BMP: the content of every picture the device takes.
const unsigned char kPicture[] = {
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                 // file header
    40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,   // info header
    16, 0, 0, 0, 0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 255, 0, 255, 0, 0, 0,                                     // red, green, padding
    255, 0, 0, 255, 255, 255, 0, 0,                                 // blue, white, padding
};

// The folder below the data directory for each kind of stored file, by the
// storage-path type a page names.
const char* const kFolders[] = {"pictures", "recordings", "downloads"};

bool WriteBytes(const fs::path& path, const char* data, std::size_t size, bool append) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  out.write(data, static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool IsFolderPath(const std::string& page_path, const fs::path& path) {
  return page_path.empty() || page_path.back() == '/' || page_path.back() == '\\' || fs::is_directory(path);
}

// Whether `file` matches a dialog filter such as "Config (*.json)|*.json":
// any "*.ext" in it names an accepted extension; no pattern accepts all.
bool MatchesFilter(const fs::path& file, const std::string& filter) {
  bool any_pattern = false;
  for (std::size_t star = filter.find("*."); star != std::string::npos; star = filter.find("*.", star + 2)) {
    const std::size_t end = filter.find_first_of("|;) ", star + 2);
    const std::string extension = filter.substr(star + 1, end == std::string::npos ? end : end - star - 1);
    if (extension == ".*") return true;
    any_pattern = true;
    if (file.extension().string() == extension) return true;
  }
  return !any_pattern;
}

}  // namespace

std::optional<fs::path> Device::PagePath(const std::string& page_path, const char* folder) const {
  if (page_path.empty()) return ConfinePath(options_.data_dir, folder);
  return ConfinePath(options_.data_dir, page_path);
}

bool Device::WritePicture(const fs::path& path) {
  if (!WriteBytes(path, reinterpret_cast<const char*>(kPicture), sizeof kPicture, false)) return false;
  Json::Value args(Json::arrayValue);
  args.append(0);
  args.append(path.string());
  args.append(0);
  args.append(0);
  Signal("CatchOnePicture", args);
  return true;
}

Json::Value Device::CrabOnePicture(const Json::Value& p) {
  const std::string page_path = Text(p, "path");
  std::optional<fs::path> path = PagePath(page_path, kFolders[0]);
  if (!path) return false;
  if (IsFolderPath(page_path, *path)) {
    *path /= "picture-" + std::to_string(next_file_++) + (Int(p, "format") == 1 ? ".jpg" : ".bmp");
  }
  return WritePicture(*path);
}

Json::Value Device::CrabTriplePicture(const Json::Value& p) {
  std::optional<fs::path> folder = PagePath(Text(p, "path"), kFolders[0]);
  if (!folder) return false;
  for (int i = 0; i < 3; ++i) {
    if (!WritePicture(*folder / ("picture-" + std::to_string(next_file_++) + ".bmp"))) return false;
  }
  return true;
}

Json::Value Device::ControlRecordingVideo(const Json::Value& p) {
  if (!Bool(p, "enable")) {
    if (!recording_) return false;
    // The recording's length in bytes grows with its duration.
    const auto seconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(options_.clock() - recording_started_).count();
    const std::string body(static_cast<std::size_t>(std::min<long long>(seconds, 60000) / 10 + 1), '\x47');
    const bool written = WriteBytes(*recording_, body.data(), body.size(), true);
    recording_.reset();
    return written;
  }
  if (view_.players.count(view_.current_view) == 0) return false;  // nothing to record
  const std::string page_path = Text(p, "path");
  std::optional<fs::path> path = PagePath(page_path, kFolders[1]);
  if (!path) return false;
  if (IsFolderPath(page_path, *path)) *path /= "recording-" + std::to_string(next_file_++) + ".rec";
  static const char kHeader[] = "REC1";
  if (!WriteBytes(*path, kHeader, sizeof kHeader - 1, false)) return false;
  recording_ = *path;
  recording_started_ = options_.clock();
  return true;
}

Json::Value Device::WriteFile(const Json::Value& p) {
  const std::string page_path = Text(p, "fileName");
  if (page_path.empty()) return false;
  std::optional<fs::path> path = PagePath(page_path, "");
  if (!path || fs::is_directory(*path)) return false;
  const std::string data = Text(p, "data");
  return WriteBytes(*path, data.data(), data.size(), Text(p, "mode").find('a') != std::string::npos);
}

Json::Value Device::SelectDirectory(const Json::Value&) {
  Json::Value event(Json::objectValue);
  event["PathName"] = options_.data_dir.string();
  Inbound("SelectedDirectory", event);
  return true;
}

Json::Value Device::SelectOpenFile(const Json::Value& p) {
  // The simulated person picks the first file of the data directory that
  // the filter accepts, or cancels when there is none.
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(options_.data_dir, error)) {
    if (entry.is_regular_file(error) && MatchesFilter(entry.path(), Text(p, "filter"))) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  Json::Value event(Json::objectValue);
  event["FileName"] = files.empty() ? "" : files.front().string();
  event["Accepts"] = files.empty() ? "0" : "1";
  Inbound("SelectedFileInfo", event);
  return true;
}

Json::Value Device::SelectSaveFile(const Json::Value& p) {
  const std::string name = Text(p, "defaultName");
  std::optional<fs::path> path = PagePath(name.empty() ? "untitled" : name, "");
  Json::Value event(Json::objectValue);
  event["FileName"] = path ? path->string() : "";
  event["Accepts"] = path ? "1" : "0";
  Inbound("SelectedFileInfo", event);
  return true;
}

Json::Value Device::GetStoragePath(const Json::Value& p) {
  const int type = Int(p, "type");
  if (auto stored = storage_paths_.find(type); stored != storage_paths_.end()) return stored->second;
  const std::string folder = type >= 0 && type < 3 ? kFolders[type] : "storage-" + std::to_string(type);
  return (options_.data_dir / folder).string();
}

Json::Value Device::SetStoragePath(const Json::Value& p) {
  std::optional<fs::path> path = PagePath(Text(p, "path"), "");
  if (!path) return false;
  std::error_code error;
  fs::create_directories(*path, error);
  if (error) return false;
  storage_paths_[Int(p, "type")] = path->string();
  return true;
}

Json::Value Device::ImportConfigFile(const Json::Value& p) {
  const std::string page_path = Text(p, "fileName");
  std::optional<fs::path> path = PagePath(page_path, "");
  if (page_path.empty() || !path) return false;
  // The import succeeds when the file holds a configuration the device can
  // read: a JSON object, whose members become its settings.
  Json::Value config;
  std::ifstream in(*path, std::ios::binary);
  Json::CharReaderBuilder builder;
  const bool success = in && Json::parseFromStream(builder, in, &config, nullptr) && config.isObject();
  if (success) {
    for (const std::string& name : config.getMemberNames()) settings_[name] = config[name];
  }
  Json::Value event(Json::objectValue);
  event["success"] = success;
  Inbound("ConfigFileImported", event);
  return true;
}

Json::Value Device::ExportConfigFile(const Json::Value& p) {
  const std::string page_path = Text(p, "fileName");
  std::optional<fs::path> path = PagePath(page_path, "");
  if (page_path.empty() || !path || fs::is_directory(*path)) return false;
  Json::Value config(Json::objectValue);
  for (const auto& [name, value] : settings_) config[name] = value;
  Json::StreamWriterBuilder builder;
  const std::string text = Json::writeString(builder, config) + "\n";
  Json::Value event(Json::objectValue);
  event["success"] = WriteBytes(*path, text.data(), text.size(), false);
  Inbound("ConfigFileExported", event);
  return true;
}

}  // namespace device
