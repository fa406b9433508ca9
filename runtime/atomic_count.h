// The use count of a shared-pointer control block: a signed 32-bit number
// changed only by atomic increment and decrement.
#ifndef SHIMWELL_RUNTIME_ATOMIC_COUNT_H_
#define SHIMWELL_RUNTIME_ATOMIC_COUNT_H_

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Foundation {
namespace Detail {

#ifdef _WIN32
using AtomicCount = volatile LONG;
inline std::int32_t AtomicIncrement(AtomicCount* count) { return InterlockedIncrement(count); }
inline std::int32_t AtomicDecrement(AtomicCount* count) { return InterlockedDecrement(count); }
inline std::int32_t AtomicLoad(const AtomicCount* count) { return *count; }
#else
using AtomicCount = std::int32_t;
inline std::int32_t AtomicIncrement(AtomicCount* count) {
  return __atomic_add_fetch(count, 1, __ATOMIC_ACQ_REL);
}
inline std::int32_t AtomicDecrement(AtomicCount* count) {
  return __atomic_sub_fetch(count, 1, __ATOMIC_ACQ_REL);
}
inline std::int32_t AtomicLoad(const AtomicCount* count) {
  return __atomic_load_n(count, __ATOMIC_ACQUIRE);
}
#endif

static_assert(sizeof(AtomicCount) == 4, "the use count is a 32-bit number");

}  // namespace Detail
}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_ATOMIC_COUNT_H_
