// EventVariant: the 16-byte argument record of page events.
//
// The host reads arrays of these during an event call: bytes 0-7 hold the
// value, 8-11 the kind code, 12-15 are zero.  Texts live in blocks of the one
// process-wide heap (the Win32 process heap on Windows, malloc elsewhere) and
// are owned by the record.  Records are made zeroed (kind 0) and released by
// their destructor, so an array on the stack is released last element first.
#ifndef SHIMWELL_RUNTIME_EVENT_VARIANT_H_
#define SHIMWELL_RUNTIME_EVENT_VARIANT_H_

#include <cstddef>
#include <cstdint>

namespace Foundation {

class EventVariant {
 public:
  enum Kind : std::uint32_t {
    kEmpty = 0,
    kInt = 5,
    kReal = 10,
    kBool = 11,
    kText = 12,
    kText2 = 13,
  };

  EventVariant();
  ~EventVariant() { Release(); }
  EventVariant(const EventVariant&) = delete;
  EventVariant& operator=(const EventVariant&) = delete;

  // Frees the text block of a kind 12 or 13 record and forgets it, so that
  // releasing again (the destructor after an explicit release) frees nothing.
  // The kind is kept.
  void Release();

  void SetInt(std::int32_t value);
  void SetReal(double value);
  void SetBool(bool value);
  // Copies `text` into a new heap block; the empty text (or a null pointer)
  // and a failed allocation both leave kind 12 with a null pointer.
  void SetText(const char* text);

  std::uint32_t kind() const { return kind_; }
  std::int32_t AsInt() const;
  double AsReal() const;
  bool AsBool() const;
  const char* AsText() const;  // kinds 12 and 13; null for the empty text

 private:
  void Clear();

  alignas(8) unsigned char value_[8];
  std::uint32_t kind_;
  std::uint32_t reserved_;
};

static_assert(sizeof(EventVariant) == 16, "EventVariant is a 16-byte record");

// The process-wide heap that every module of the process can free into.
void* ProcessHeapAlloc(std::size_t size);
void ProcessHeapFree(void* block);

// Where text blocks come from: ProcessHeapAlloc unless replaced.  Tests put
// in an allocator that fails, to see the record stay truthful.  Returns the
// allocator in use before; a null argument restores ProcessHeapAlloc.
using TextBlockAllocator = void* (*)(std::size_t size);
TextBlockAllocator SetTextBlockAllocator(TextBlockAllocator allocator);

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_EVENT_VARIANT_H_
