// Paths that come from a page, kept inside one data directory.
#ifndef SHIMWELL_TOOLS_DEVICE_CONFINED_PATH_H_
#define SHIMWELL_TOOLS_DEVICE_CONFINED_PATH_H_

#include <filesystem>
#include <optional>
#include <string>

namespace device {

// The file `page_path` names inside `root`, or nothing when it would lie
// outside it.  Backslashes separate like slashes.  A relative path is taken
// from `root`; an absolute one (a drive letter included) must already lie
// inside `root`.  ".." that climbs above `root`, and a link inside `root`
// that leads out of it, are refused.  An empty path names `root` itself.
std::optional<std::filesystem::path> ConfinePath(const std::filesystem::path& root,
                                                 const std::string& page_path);

// The last part of a page path, after its last slash or backslash.
std::string LastPathPart(const std::string& page_path);

}  // namespace device

#endif  // SHIMWELL_TOOLS_DEVICE_CONFINED_PATH_H_
