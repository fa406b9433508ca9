// Fuzz inputs made of sections: the parts of the input between lines that
// hold exactly "----".
#ifndef SHIMWELL_TOOLS_FUZZ_SECTIONS_H_
#define SHIMWELL_TOOLS_FUZZ_SECTIONS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// The sections of an input, split at "----" lines.
std::vector<std::string> SplitSections(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz

#endif  // SHIMWELL_TOOLS_FUZZ_SECTIONS_H_
