#include "tools/service/service_config.h"

#include <gtest/gtest.h>

namespace ferrowyn {
namespace {

TEST(ServiceConfigTest, OriginAndHostChecks) {
  ServiceConfig config;
  config.address = "127.0.0.1";
  config.port = 23411;
  config.extra_origins = {"https://example.test"};
  struct Case {
    const char* value;
    bool origin_ok;
    bool host_ok;
  };
  const Case cases[] = {
      {"http://127.0.0.1:23411", true, false},
      {"http://LOCALHOST:23411", true, false},
      {"https://example.test", true, false},
      {"http://127.0.0.1:23410", false, false},
      {"http://evil.test", false, false},
      {"null", false, false},
      {"", false, false},
      {"127.0.0.1:23411", false, true},
      {"localhost:23411", false, true},
      {"evil.test:23411", false, false},
      {"127.0.0.1", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OriginAllowed(config, c.value), c.origin_ok) << c.value;
    EXPECT_EQ(HostAllowed(config, c.value), c.host_ok) << c.value;
  }
}

}  // namespace
}  // namespace ferrowyn
