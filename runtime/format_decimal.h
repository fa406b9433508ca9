// FormatDecimal: the decimal text of a signed 32-bit integer, as identifiers
// are put into request parameters.
#ifndef SHIMWELL_RUNTIME_FORMAT_DECIMAL_H_
#define SHIMWELL_RUNTIME_FORMAT_DECIMAL_H_

#include <cstdint>
#include <string>

namespace Foundation {

// Digits without leading zeros, a minus sign in front of negative values;
// at most 11 characters.
std::string FormatDecimal(std::int32_t value);

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_FORMAT_DECIMAL_H_
