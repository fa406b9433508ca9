#include "runtime/event_variant.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace Foundation {
namespace {

struct Bytes {
  unsigned char data[16];
};

Bytes BytesOf(const EventVariant& record) {
  Bytes bytes;
  std::memcpy(bytes.data, &record, sizeof bytes.data);
  return bytes;
}

std::uint32_t Word(const Bytes& bytes, int offset) {
  std::uint32_t word;
  std::memcpy(&word, bytes.data + offset, sizeof word);
  return word;
}

// Records the sizes asked of the text-block heap while installed; fails
// every request when `fail` is set.
class TextBlocks {
 public:
  explicit TextBlocks(bool fail = false) {
    fail_ = fail;
    sizes_.clear();
    previous_ = SetTextBlockAllocator(&Allocate);
  }
  ~TextBlocks() { SetTextBlockAllocator(previous_); }
  const std::vector<std::size_t>& sizes() const { return sizes_; }

 private:
  static void* Allocate(std::size_t size) {
    sizes_.push_back(size);
    return fail_ ? nullptr : ProcessHeapAlloc(size);
  }
  static inline bool fail_ = false;
  static inline std::vector<std::size_t> sizes_;
  TextBlockAllocator previous_;
};

TEST(EventVariant, NewRecordIsAllZero) {
  EventVariant records[3];
  for (const EventVariant& record : records) {
    const Bytes bytes = BytesOf(record);
    for (unsigned char byte : bytes.data) EXPECT_EQ(byte, 0);
  }
}

TEST(EventVariant, ScalarsFillValueBytesAndKind) {
  EventVariant record;
  record.SetInt(-2);
  Bytes bytes = BytesOf(record);
  EXPECT_EQ(Word(bytes, 0), 0xFFFFFFFEu);
  EXPECT_EQ(Word(bytes, 4), 0u);
  EXPECT_EQ(Word(bytes, 8), 5u);
  EXPECT_EQ(Word(bytes, 12), 0u);
  EXPECT_EQ(record.AsInt(), -2);

  record.SetReal(1.5);
  bytes = BytesOf(record);
  double real;
  std::memcpy(&real, bytes.data, sizeof real);
  EXPECT_EQ(real, 1.5);
  EXPECT_EQ(Word(bytes, 8), 10u);
  EXPECT_EQ(record.AsReal(), 1.5);

  record.SetBool(true);
  bytes = BytesOf(record);
  EXPECT_EQ(bytes.data[0], 1);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(bytes.data[i], 0) << i;
  EXPECT_EQ(Word(bytes, 8), 11u);
  EXPECT_TRUE(record.AsBool());
}

TEST(EventVariant, TextIsACopyInAnExactBlock) {
  TextBlocks blocks;
  char text[] = "abc";
  EventVariant record;
  record.SetText(text);
  text[0] = 'x';
  ASSERT_EQ(blocks.sizes(), std::vector<std::size_t>{4});
  EXPECT_STREQ(record.AsText(), "abc");
  const Bytes bytes = BytesOf(record);
  EXPECT_EQ(Word(bytes, 8), 12u);
  EXPECT_EQ(Word(bytes, 12), 0u);
  const char* pointer;
  std::memcpy(&pointer, bytes.data, sizeof pointer);
  EXPECT_EQ(pointer, record.AsText());
  for (std::size_t i = sizeof pointer; i < 8; ++i) EXPECT_EQ(bytes.data[i], 0);
}

TEST(EventVariant, EmptyTextAndFailedBlockAreKind12WithNullPointer) {
  for (const char* text : {"", static_cast<const char*>(nullptr)}) {
    EventVariant record;
    record.SetText(text);
    EXPECT_EQ(record.kind(), 12u);
    EXPECT_EQ(record.AsText(), nullptr);
  }
  TextBlocks failing(/*fail=*/true);
  EventVariant record;
  record.SetText("abc");
  EXPECT_EQ(failing.sizes().size(), 1u);
  EXPECT_EQ(record.kind(), 12u);
  EXPECT_EQ(record.AsText(), nullptr);
  const Bytes bytes = BytesOf(record);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes.data[i], 0);
}

// The sanitizer build catches a leaked or doubly freed block here.
TEST(EventVariant, ReplacingOrReleasingFreesTheBlockOnce) {
  EventVariant record;
  record.SetText("first");
  record.SetText("second");
  EXPECT_STREQ(record.AsText(), "second");
  record.SetInt(1);
  EXPECT_EQ(record.AsText(), nullptr);
  record.SetText("third");
  record.Release();
  EXPECT_EQ(record.kind(), 12u);
  EXPECT_EQ(record.AsText(), nullptr);
  record.Release();
}

TEST(EventVariant, NonTextKindsOwnNothing) {
  EventVariant record;
  record.SetInt(42);
  record.Release();
  EXPECT_EQ(record.kind(), 5u);
  EXPECT_EQ(record.AsInt(), 42);
  EXPECT_EQ(record.AsText(), nullptr);
}

}  // namespace
}  // namespace Foundation
