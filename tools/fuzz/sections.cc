#include "tools/fuzz/sections.h"

#include <cstring>

namespace fuzz {

namespace {

constexpr char kSeparator[] = "\n----\n";

}  // namespace

std::vector<std::string> SplitSections(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> sections;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type found = input.find(kSeparator, start);
    if (found == std::string::npos) break;
    sections.push_back(input.substr(start, found - start));
    start = found + std::strlen(kSeparator);
  }
  sections.push_back(input.substr(start));
  return sections;
}

}  // namespace fuzz
