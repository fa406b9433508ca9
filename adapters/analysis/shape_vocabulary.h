// The page's and the service's words for shapes.
//
// The page names shape types and configuration keys in one vocabulary and the
// service in another.  Every translation here is a table of (key,
// replacement) rows applied by ReplaceFirstKey (text) or TranslateExactly
// (a whole name).  Two rows carry names the page chose itself: the marked
// names of the last pixel-count shape and of the last polygon, which the
// adapter keeps and passes in when it makes a table.
#ifndef SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VOCABULARY_H_
#define SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VOCABULARY_H_

#include <string>
#include <vector>

namespace Shimwell {

struct KeyReplacement {
  std::string key;
  std::string replacement;
};
using KeyTable = std::vector<KeyReplacement>;

// Scans the rows in order, skipping empty keys, and replaces the first
// occurrence of the first key found in `text` (inside longer words too).
// At most one replacement per call.
std::string ReplaceFirstKey(std::string text, const KeyTable& table);

// The replacement of the first row whose key equals `name`, else `name`.
std::string TranslateExactly(const std::string& name, const KeyTable& table);

// Keys of a new main shape's data, page words to service words.  The rows of
// the stored names are skipped while those names are empty.
KeyTable MainShapeDataKeys(const std::string& pixel_count_name, const std::string& polygon_name);

// Service words back to the page's: the keys of read-back configuration text
// and the marked names of shape notifications.  An empty stored name deletes
// its key.
KeyTable PageShapeKeys(const std::string& pixel_count_name, const std::string& polygon_name);

// A sub-shape's marked name (exactly) and its data (first key).
const KeyTable& SubShapeKeys();

// Sub-shape names whose data member is a two-point rectangle that the service
// wants as a "Rectangle" size pair.
bool IsTwoPointRectName(const std::string& marked_name);

// Which stored name a new main shape's marked name goes into.
enum class StoredName { kNone, kPixelCount, kPolygon };

struct SentShape {
  std::string type;
  std::string marked_name;
  StoredName stores = StoredName::kNone;
};

// The shape type and marked name a main shape is sent with.  The rules apply
// one after another, each to the result of the one before.
SentShape TranslateShapeType(const std::string& page_type, const std::string& marked_name);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VOCABULARY_H_
