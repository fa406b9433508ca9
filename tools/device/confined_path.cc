#include "tools/device/confined_path.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace device {
namespace fs = std::filesystem;

namespace {

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// True when `inner` is `outer` or lies below it; both lexically normal.
bool IsWithin(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin();
  auto i = inner.begin();
  for (; o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // the trailing empty part of "dir/"
    if (i == inner.end() || *o != *i) return false;
  }
  return true;
}

}  // namespace

std::optional<fs::path> ConfinePath(const fs::path& root, const std::string& page_path) {
  if (page_path.find('\0') != std::string::npos) return std::nullopt;
  std::string text = page_path;
  std::replace(text.begin(), text.end(), '\\', '/');
  std::error_code error;
  const fs::path base = fs::weakly_canonical(fs::absolute(root, error), error);
  if (error) return std::nullopt;
  fs::path candidate;
  if (HasDriveLetter(text) || (!text.empty() && text[0] == '/')) {
    candidate = fs::path(text);
    if (!candidate.is_absolute()) return std::nullopt;  // a drive letter outside Windows
  } else {
    candidate = base / fs::path(text);
  }
  // Lexically first, so that "a/../../x" never reaches the file system;
  // then through links, so that a link inside cannot lead out.
  const fs::path lexical = candidate.lexically_normal();
  if (!IsWithin(base, lexical)) return std::nullopt;
  const fs::path resolved = fs::weakly_canonical(lexical, error);
  if (error || !IsWithin(base, resolved)) return std::nullopt;
  return resolved;
}

std::string LastPathPart(const std::string& page_path) {
  const std::size_t slash = page_path.find_last_of("/\\");
  return slash == std::string::npos ? page_path : page_path.substr(slash + 1);
}

}  // namespace device
