#include "runtime/format_decimal.h"

#include <gtest/gtest.h>

namespace Foundation {
namespace {

TEST(FormatDecimal, WritesSignAndDigits) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {10, "10"},
      {-100, "-100"},
      {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDecimal(c.value), c.text);
}

}  // namespace
}  // namespace Foundation
