// Foundation::Any: a value of any copyable type in a heap holder.
//
// The host keeps copies of the values the plug-in hands it and returns values
// whose holders it made itself, so the holder layout (a table of virtual
// operations: deleting destructor, Type, Clone) is shared by both sides.
#ifndef SHIMWELL_RUNTIME_ANY_H_
#define SHIMWELL_RUNTIME_ANY_H_

#include <typeinfo>
#include <utility>

namespace Foundation {

class Any {
 public:
  class PlaceHolder {
   public:
    virtual ~PlaceHolder() = default;
    virtual const std::type_info& Type() const = 0;
    virtual PlaceHolder* Clone() const = 0;
  };

  template <typename T>
  class Holder final : public PlaceHolder {
   public:
    explicit Holder(const T& value) : held(value) {}
    const std::type_info& Type() const override { return typeid(T); }
    PlaceHolder* Clone() const override { return new Holder(held); }
    T held;
  };

  Any() = default;
  template <typename T, typename = std::enable_if_t<!std::is_same<std::decay_t<T>, Any>::value>>
  Any(const T& value) : content(new Holder<T>(value)) {}  // NOLINT: implicit by design
  Any(const Any& other) : content(other.content ? other.content->Clone() : nullptr) {}
  Any(Any&& other) noexcept : content(std::exchange(other.content, nullptr)) {}
  Any& operator=(const Any& other) {
    if (this != &other) Any(other).Swap(*this);
    return *this;
  }
  Any& operator=(Any&& other) noexcept {
    Any(std::move(other)).Swap(*this);
    return *this;
  }
  ~Any() { delete content; }

  bool empty() const { return content == nullptr; }
  const std::type_info& type() const { return content ? content->Type() : typeid(void); }
  void Swap(Any& other) noexcept { std::swap(content, other.content); }

  PlaceHolder* content = nullptr;
};

// Returns a copy of the held value as a T.  See any_cast.h for the rules when
// the held type differs; an empty value throws BadCast.
template <typename T>
T AnyCast(const Any& value);

}  // namespace Foundation

#include "runtime/any_cast.h"  // IWYU pragma: export

#endif  // SHIMWELL_RUNTIME_ANY_H_
