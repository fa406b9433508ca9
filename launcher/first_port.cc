#include "launcher/first_port.h"

#include <climits>
#include <cstdint>

namespace Wharfgate {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi's reading: leading blanks, an optional sign, then digits up to the
// first non-digit.  Values beyond the int range saturate rather than
// overflow.
int ReadDecimal(const char* text) {
  while (IsBlank(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  std::int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value <= INT_MAX) value = value * 10 + (*text - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

int FirstPort(const std::string& command_line) {
  const std::string::size_type scheme_end = command_line.find("://");
  const char* number = command_line.c_str();
  if (scheme_end != std::string::npos) number += scheme_end + 3;
  const int port = ReadDecimal(number);
  return port > 0 ? port : kDefaultPort;
}

int PortAfter(int port, int steps) {
  return static_cast<int>(static_cast<std::uint32_t>(port) + static_cast<std::uint32_t>(steps));
}

}  // namespace Wharfgate
