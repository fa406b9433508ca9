// Numbers the video analysis adapter reads from the service, read so that
// no value of an unexpected kind ever throws: shape numbers arrive as
// decimal text, and rectangles as [[x1, y1], [x2, y2]] whose missing or
// unusable numbers count as 0.
#ifndef SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VALUES_H_
#define SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VALUES_H_

#include <cstdint>
#include <string>

#include <json/value.h>

namespace Shimwell {

// The number at the start of `text` as the C library's atoi reads it:
// leading white space and one sign allowed, reading stops at the first
// character that is not a digit, and text without leading digits gives 0.
// Numbers beyond the 32-bit range give its nearest end.
std::int32_t ReadDecimal(const std::string& text);

// `value` as a 32-bit integer: an integer in range, a real in range cut
// toward zero, or a boolean as 0 or 1.  False for everything else (null,
// texts, arrays, objects, numbers out of range).
bool ReadInt32(const Json::Value& value, std::int32_t* out);

// ReadInt32, with 0 for what it does not read.
std::int32_t Int32OrZero(const Json::Value& value);

// Member `name` of `object`; null when `object` is no object or lacks it.
const Json::Value& MemberOrNull(const Json::Value& object, const char* name);

// Element `index` of `array`; null when `array` is no array or too short.
const Json::Value& ElementOrNull(const Json::Value& array, Json::ArrayIndex index);

struct TwoPointRect {
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
};

// Reads [[x1, y1], [x2, y2]]; each number that is missing or unusable
// (Int32OrZero) reads as 0, whatever the shape of `value`.
TwoPointRect ReadTwoPointRect(const Json::Value& value);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_ANALYSIS_SHAPE_VALUES_H_
