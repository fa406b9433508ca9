#include "runtime/format_decimal.h"

namespace Foundation {

std::string FormatDecimal(std::int32_t value) {
  // The magnitude as unsigned, so that -2147483648 has one too.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) magnitude = 0u - magnitude;
  char digits[11];
  char* begin = digits + sizeof digits;
  do {
    *--begin = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--begin = '-';
  return std::string(begin, digits + sizeof digits);
}

}  // namespace Foundation
