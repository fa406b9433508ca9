// An inbound Protocol2 event text through the plug-in's inbound entry, with
// every adapter's handlers installed.
#include <cstddef>
#include <cstdint>

#include "tools/fuzz/fuzz_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RunSession(data, size, fuzz::Lead::kInbound);
  return 0;
}
