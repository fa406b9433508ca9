#include "runtime/event_variant.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Foundation {

void* ProcessHeapAlloc(std::size_t size) {
#ifdef _WIN32
  return HeapAlloc(GetProcessHeap(), 0, size);
#else
  return std::malloc(size);
#endif
}

void ProcessHeapFree(void* block) {
  if (block == nullptr) return;
#ifdef _WIN32
  HeapFree(GetProcessHeap(), 0, block);
#else
  std::free(block);
#endif
}

namespace {

TextBlockAllocator text_block_allocator = &ProcessHeapAlloc;

}  // namespace

TextBlockAllocator SetTextBlockAllocator(TextBlockAllocator allocator) {
  TextBlockAllocator previous = text_block_allocator;
  text_block_allocator = allocator != nullptr ? allocator : &ProcessHeapAlloc;
  return previous;
}

EventVariant::EventVariant() { Clear(); }

void EventVariant::Clear() {
  std::memset(value_, 0, sizeof value_);
  kind_ = kEmpty;
  reserved_ = 0;
}

void EventVariant::Release() {
  if (kind_ != kText && kind_ != kText2) return;
  char* block = nullptr;
  std::memcpy(&block, value_, sizeof block);
  if (block == nullptr) return;
  ProcessHeapFree(block);
  std::memset(value_, 0, sizeof block);
}

void EventVariant::SetInt(std::int32_t value) {
  Release();
  Clear();
  std::memcpy(value_, &value, sizeof value);
  kind_ = kInt;
}

void EventVariant::SetReal(double value) {
  Release();
  Clear();
  std::memcpy(value_, &value, sizeof value);
  kind_ = kReal;
}

void EventVariant::SetBool(bool value) {
  Release();
  Clear();
  value_[0] = value ? 1 : 0;
  kind_ = kBool;
}

void EventVariant::SetText(const char* text) {
  Release();
  Clear();
  kind_ = kText;
  const std::size_t length = text != nullptr ? std::strlen(text) : 0;
  if (length == 0) return;
  void* block = text_block_allocator(length + 1);
  if (block == nullptr) return;
  std::memset(block, 0, length + 1);
  std::memcpy(block, text, length);
  std::memcpy(value_, &block, sizeof block);
}

std::int32_t EventVariant::AsInt() const {
  std::int32_t value;
  std::memcpy(&value, value_, sizeof value);
  return value;
}

double EventVariant::AsReal() const {
  double value;
  std::memcpy(&value, value_, sizeof value);
  return value;
}

bool EventVariant::AsBool() const { return value_[0] != 0; }

const char* EventVariant::AsText() const {
  if (kind_ != kText && kind_ != kText2) return nullptr;
  const char* text = nullptr;
  std::memcpy(&text, value_, sizeof text);
  return text;
}

}  // namespace Foundation
