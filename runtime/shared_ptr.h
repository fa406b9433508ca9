// Foundation::CSharedPtr: a counted pointer whose control block carries the
// deleter.  Both sides of the host boundary copy and drop references to
// blocks the other side made, so the block's layout and its virtual
// operations (deleting destructor, Dispose, Destroy) are fixed.  There is no
// weak count.
#ifndef SHIMWELL_RUNTIME_SHARED_PTR_H_
#define SHIMWELL_RUNTIME_SHARED_PTR_H_

#include <cstdint>
#include <utility>

#include "runtime/atomic_count.h"

namespace Foundation {
namespace Detail {

class CSPCountedBase {
 public:
  CSPCountedBase() = default;
  CSPCountedBase(const CSPCountedBase&) = delete;
  CSPCountedBase& operator=(const CSPCountedBase&) = delete;
  virtual ~CSPCountedBase() = default;

  // Releases the managed object.
  virtual void Dispose() = 0;
  // Deletes the control block itself.
  virtual void Destroy() { delete this; }

  void AddRef() { AtomicIncrement(&use_count_); }
  // Drops one reference; the last one disposes of the object, then the block.
  void Release() {
    if (AtomicDecrement(&use_count_) == 0) {
      Dispose();
      Destroy();
    }
  }
  std::int32_t use_count() const { return AtomicLoad(&use_count_); }

 private:
  AtomicCount use_count_ = 1;
};

template <typename T, typename D>
class CSPCountedImp_pd final : public CSPCountedBase {
 public:
  CSPCountedImp_pd(T* pointer, D deleter) : pointer_(pointer), deleter_(deleter) {}
  void Dispose() override {
    if (deleter_) deleter_(pointer_);
  }

 private:
  T* pointer_;
  D deleter_;
};

}  // namespace Detail

template <typename T>
class CSharedPtr {
 public:
  using Deleter = void (*)(T*);

  CSharedPtr() = default;
  // Takes ownership of `pointer`; `deleter` runs once, when the last copy goes.
  CSharedPtr(T* pointer, Deleter deleter)
      : pointer_(pointer), count_(new Detail::CSPCountedImp_pd<T, Deleter>(pointer, deleter)) {}
  CSharedPtr(const CSharedPtr& other) : pointer_(other.pointer_), count_(other.count_) {
    if (count_) count_->AddRef();
  }
  // Counts the source first, so that assigning a pointer to itself (or to a
  // copy that holds the last other reference) never frees the object.
  CSharedPtr& operator=(const CSharedPtr& other) {
    if (other.count_) other.count_->AddRef();
    if (count_) count_->Release();
    pointer_ = other.pointer_;
    count_ = other.count_;
    return *this;
  }
  ~CSharedPtr() { reset(); }

  void reset() {
    if (count_) count_->Release();
    pointer_ = nullptr;
    count_ = nullptr;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  std::int32_t use_count() const { return count_ ? count_->use_count() : 0; }

 private:
  T* pointer_ = nullptr;
  Detail::CSPCountedBase* count_ = nullptr;
};

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_SHARED_PTR_H_
