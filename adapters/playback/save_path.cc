#include "adapters/playback/save_path.h"

namespace Shimwell {

namespace {

constexpr char kSeparators[] = "\\/";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string SaveFolder(const std::string& save_name) {
  std::string folder = save_name;
  if (!folder.empty() && IsSeparator(folder.back())) folder.pop_back();
  const std::string::size_type separator = folder.find_last_of(kSeparators);
  return separator == std::string::npos ? folder : folder.substr(0, separator);
}

std::string SaveFileName(const std::string& save_name) {
  const std::string::size_type separator = save_name.find_last_of(kSeparators);
  return separator == std::string::npos ? save_name : save_name.substr(separator + 1);
}

}  // namespace Shimwell
