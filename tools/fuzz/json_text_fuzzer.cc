// The styled and compact-spaced writers: any value the reader accepts is
// written, and reading the written text back gives an equal value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <json/value.h>

#include "runtime/json_text.h"

namespace {

// Reals are written with 16 significant digits, so a real read back may
// differ from the one written in its last bit or so; every other value must
// come back exactly, of the same type.
bool SameValue(const Json::Value& a, const Json::Value& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Json::realValue: {
      const double x = a.asDouble();
      const double y = b.asDouble();
      return x == y || std::fabs(x - y) <= 1e-15 * std::fmax(std::fabs(x), std::fabs(y));
    }
    case Json::arrayValue:
    case Json::objectValue: {
      if (a.size() != b.size()) return false;
      auto other = b.begin();
      for (auto element = a.begin(); element != a.end(); ++element, ++other) {
        if (a.isObject() && element.name() != other.name()) return false;
        if (!SameValue(*element, *other)) return false;
      }
      return true;
    }
    default:
      return a == b;
  }
}

void CheckRoundTrip(const Json::Value& value, const std::string& text, const char* writer) {
  Json::Value read_back;
  if (Foundation::ReadJson(text.c_str(), &read_back) && SameValue(value, read_back)) return;
  std::fprintf(stderr, "%s writer: the text does not read back as the value it was written from:\n%s",
               writer, text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  Json::Value value;
  if (!Foundation::ReadJson(input.c_str(), &value)) return 0;
  CheckRoundTrip(value, Foundation::WriteStyled(value), "styled");
  CheckRoundTrip(value, Foundation::WriteCompactSpaced(value), "compact-spaced");
  return 0;
}
