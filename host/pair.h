// Host pairs: the (object, function) entries of the host context and of the
// interface sets.  Every pair has the layout of a delegate, so a record of
// pairs is addressed by pair number; an unbound pair has a null object.
#ifndef SHIMWELL_HOST_PAIR_H_
#define SHIMWELL_HOST_PAIR_H_

#include <cstddef>

#include "runtime/delegate.h"

namespace OrvikComponentInterface {

template <typename R, typename... Args>
using Pair = fastdelegate::Delegate<R, Args...>;

// A pair that no code of the plug-in calls; it only keeps the numbering.
using UnusedPair = Pair<void>;

constexpr std::size_t kPairSize = sizeof(UnusedPair);

// Calls `pair` when it is bound; an unbound pair gives R's zero value.
template <typename R, typename... Params, typename... Args>
R CallPair(const Pair<R, Params...>& pair, Args&&... args) {
  if (pair.empty()) return R();
  return pair(std::forward<Args>(args)...);
}

}  // namespace OrvikComponentInterface

// Asserts that `field` of `Record` is pair number `number`.
#define ORVIK_PAIR_AT(Record, field, number)                                   \
  static_assert(offsetof(Record, field) == (number) * ::OrvikComponentInterface::kPairSize, \
                #Record "::" #field " is pair " #number)

#endif  // SHIMWELL_HOST_PAIR_H_
