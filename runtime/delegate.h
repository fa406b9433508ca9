// Delegates: an object pointer bound to one of its member functions.
//
// The host and the plug-in exchange callbacks as (object, function) pairs of
// exactly this layout: the host context, the interface sets, the reply channel
// of a page method and every signal handler.  A delegate is two words of data
// (the object and the member-function pointer), copied without allocation.
// An empty delegate has a null object; callers test `empty()` before calling.
#ifndef SHIMWELL_RUNTIME_DELEGATE_H_
#define SHIMWELL_RUNTIME_DELEGATE_H_

#include <utility>

namespace fastdelegate {
namespace detail {

// Every bound object is seen through this one class, so that delegates of any
// receiver class have the same type and layout.  It stays non-polymorphic.
class GenericClass {};

}  // namespace detail

template <typename R, typename... Args>
class Delegate {
 public:
  using GenericFunction = R (detail::GenericClass::*)(Args...);

  Delegate() = default;

  template <class C>
  Delegate(C* object, R (C::*function)(Args...))
      : object_(reinterpret_cast<detail::GenericClass*>(object)),
        function_(reinterpret_cast<GenericFunction>(function)) {}

  bool empty() const { return object_ == nullptr; }
  void clear() { object_ = nullptr; function_ = nullptr; }

  // The bound object, for hosts that compare or drop bindings.
  const void* object() const { return object_; }

  R operator()(Args... args) const {
    return (object_->*function_)(std::forward<Args>(args)...);
  }

  friend bool operator==(const Delegate& a, const Delegate& b) {
    return a.object_ == b.object_ && a.function_ == b.function_;
  }
  friend bool operator!=(const Delegate& a, const Delegate& b) { return !(a == b); }

 private:
  detail::GenericClass* object_ = nullptr;
  GenericFunction function_ = nullptr;
};

// The traditional names: the argument types first, the result last.
template <typename R>
using FastDelegate0 = Delegate<R>;
template <typename A1, typename R>
using FastDelegate1 = Delegate<R, A1>;
template <typename A1, typename A2, typename R>
using FastDelegate2 = Delegate<R, A1, A2>;
template <typename A1, typename A2, typename A3, typename R>
using FastDelegate3 = Delegate<R, A1, A2, A3>;
template <typename A1, typename A2, typename A3, typename A4, typename R>
using FastDelegate4 = Delegate<R, A1, A2, A3, A4>;

// Binds `object` and `function` into a delegate of the matching type.
template <class C, typename R, typename... Args>
Delegate<R, Args...> MakeDelegate(C* object, R (C::*function)(Args...)) {
  return Delegate<R, Args...>(object, function);
}

}  // namespace fastdelegate

#endif  // SHIMWELL_RUNTIME_DELEGATE_H_
