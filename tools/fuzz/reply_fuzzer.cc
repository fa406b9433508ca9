// A Protocol2 reply text through ParseReply and every cast the adapters read
// a reply's result with.  "bad cast" is the specified answer to a result of
// another type.
#include <cstddef>
#include <cstdint>
#include <string>

#include "adapters/live/protocol2.h"
#include "runtime/any_cast.h"

namespace {

template <typename T>
void Cast(const Foundation::Any& result) {
  try {
    static_cast<void>(Foundation::AnyCast<T>(result));
  } catch (const Foundation::BadCast&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const Foundation::Any result = Shimwell::ParseReply(reply);
  Cast<bool>(result);
  Cast<int>(result);
  Cast<unsigned int>(result);
  Cast<std::string>(result);
  return 0;
}
