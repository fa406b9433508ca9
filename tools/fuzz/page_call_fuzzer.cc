// A page call text against any published page method of any adapter, with
// the host answering from fuzzed reply texts.
#include <cstddef>
#include <cstdint>

#include "tools/fuzz/fuzz_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RunSession(data, size, fuzz::Lead::kCall);
  return 0;
}
