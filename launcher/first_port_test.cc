#include "launcher/first_port.h"

#include <climits>

#include <gtest/gtest.h>

namespace Wharfgate {
namespace {

TEST(FirstPortTest, ReadsTheNumberAfterTheSchemeOrAtTheStart) {
  struct Case {
    const char* command_line;
    int port;
  };
  const Case cases[] = {
      {"scheme://23500/path", 23500},
      {"23500", 23500},
      {"  \t+23500xyz", 23500},
      {"a://b://23600", 23410},  // only the first "://" counts
      {"x://  42", 42},
      {"", 23410},
      {"no digits here", 23410},
      {"-5", 23410},
      {"0", 23410},
      {"scheme://host:23500", 23410},
      {"scheme://", 23410},
      {"70000", 70000},  // no upper bound check
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", 23410},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirstPort(c.command_line), c.port) << '"' << c.command_line << '"';
  }
}

TEST(FirstPortTest, PortAfterWrapsInsteadOfOverflowing) {
  EXPECT_EQ(PortAfter(23410, 9), 23419);
  EXPECT_EQ(PortAfter(INT_MAX, 1), INT_MIN);
}

}  // namespace
}  // namespace Wharfgate
