// Splitting a save path from the page into the folder and the file name
// that a file download sends separately.  Both separators count; the two
// halves are found independently, so a path ending in a separator gives the
// folder above it and an empty file name, and a path without any separator
// is both the folder and the file name.
#ifndef SHIMWELL_ADAPTERS_PLAYBACK_SAVE_PATH_H_
#define SHIMWELL_ADAPTERS_PLAYBACK_SAVE_PATH_H_

#include <string>

namespace Shimwell {

// The text before the last '\' or '/', after one trailing separator is cut
// off; the whole (cut) text when there is no separator left.
std::string SaveFolder(const std::string& save_name);

// The text after the last '\' or '/'; the whole text when there is none.
std::string SaveFileName(const std::string& save_name);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_PLAYBACK_SAVE_PATH_H_
