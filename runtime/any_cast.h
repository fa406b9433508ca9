// AnyCast<T>: takes the value out of a Foundation::Any.
//
// The callers name the type they expect the value to hold.  The held type
// gives its value; the two 32-bit integer types read each other's bit
// pattern, and bool reads "non-zero" from either of them.  Every other
// mismatch, and an empty value, throws BadCast: no cast ever reads outside the
// held value.
#ifndef SHIMWELL_RUNTIME_ANY_CAST_H_
#define SHIMWELL_RUNTIME_ANY_CAST_H_

#include <type_traits>
#include <typeinfo>

#include "runtime/any.h"

namespace Foundation {

// The one exception the runtime raises; nothing in the plug-in catches it.
class BadCast : public std::bad_cast {
 public:
  const char* what() const noexcept override { return "bad cast"; }
};

namespace Detail {

// The held value when `content` holds exactly a U, else null.
template <typename U>
const U* HeldAs(const Any::PlaceHolder& content) {
  if (content.Type() != typeid(U)) return nullptr;
  return &static_cast<const Any::Holder<U>&>(content).held;
}

// The 32-bit integer types and bool, which may read a value held as int or
// unsigned int: the other integer type by its bit pattern, bool as non-zero.
template <typename T>
constexpr bool kReadsEitherInteger =
    std::is_same<T, int>::value || std::is_same<T, unsigned int>::value ||
    std::is_same<T, bool>::value;

template <typename T>
bool ReadEitherInteger(const Any::PlaceHolder& content, T* out) {
  if (const int* held = HeldAs<int>(content)) {
    *out = static_cast<T>(*held);
    return true;
  }
  if (const unsigned int* held = HeldAs<unsigned int>(content)) {
    *out = static_cast<T>(*held);
    return true;
  }
  return false;
}

}  // namespace Detail

template <typename T>
T AnyCast(const Any& value) {
  if (value.content == nullptr) throw BadCast();
  if (const T* held = Detail::HeldAs<T>(*value.content)) return *held;
  if constexpr (Detail::kReadsEitherInteger<T>) {
    T converted{};
    if (Detail::ReadEitherInteger(*value.content, &converted)) return converted;
  }
  throw BadCast();
}

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_ANY_CAST_H_
