#include "runtime/any.h"

#include <functional>
#include <string>
#include <typeinfo>

#include <gtest/gtest.h>
#include <json/value.h>

#include "runtime/shared_ptr.h"

namespace Foundation {
namespace {

TEST(Any, CopyClonesTheHeldValue) {
  Any original(std::string("abc"));
  Any copy(original);
  original = Any(std::string("xyz"));
  EXPECT_EQ(AnyCast<std::string>(copy), "abc");
  {
    Any temporary(copy);
  }
  EXPECT_EQ(AnyCast<std::string>(copy), "abc");
  EXPECT_EQ(AnyCast<std::string>(original), "xyz");
}

// Each holder copy is one more reference, and each destroyed holder one less.
TEST(Any, ClonesAndDestroysThroughTheHolder) {
  int value = 5;
  CSharedPtr<int> pointer(&value, nullptr);
  {
    Any first(pointer);
    Any second(first);
    EXPECT_EQ(pointer.use_count(), 3);
    first = Any();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(pointer.use_count(), 2);
    EXPECT_EQ(*AnyCast<CSharedPtr<int>>(second), 5);
  }
  EXPECT_EQ(pointer.use_count(), 1);
}

TEST(Any, EmptyValue) {
  Any empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty.type(), typeid(void));
  Any copy(empty);
  EXPECT_TRUE(copy.empty());
}

TEST(AnyCast, ReadsIntegersAcrossSignednessAndBoolAsNonZero) {
  EXPECT_EQ(AnyCast<int>(Any(-7)), -7);
  EXPECT_EQ(AnyCast<int>(Any(4294967295u)), -1);
  EXPECT_EQ(AnyCast<int>(Any(2147483648u)), -2147483647 - 1);
  EXPECT_EQ(AnyCast<unsigned int>(Any(-1)), 4294967295u);
  EXPECT_EQ(AnyCast<unsigned int>(Any(7u)), 7u);
  EXPECT_TRUE(AnyCast<bool>(Any(true)));
  EXPECT_FALSE(AnyCast<bool>(Any(false)));
  EXPECT_FALSE(AnyCast<bool>(Any(0)));
  EXPECT_TRUE(AnyCast<bool>(Any(-1)));
  // Non-zero anywhere, not only in the lowest byte.
  EXPECT_TRUE(AnyCast<bool>(Any(256)));
  EXPECT_FALSE(AnyCast<bool>(Any(0u)));
  EXPECT_TRUE(AnyCast<bool>(Any(0x80000000u)));
  EXPECT_EQ(AnyCast<double>(Any(1.5)), 1.5);
  EXPECT_EQ(AnyCast<Json::Value>(Any(Json::Value("x"))), Json::Value("x"));
}

TEST(AnyCast, EveryOtherMismatchThrowsBadCast) {
  const std::pair<const char*, std::function<void()>> casts[] = {
      {"int from empty", [] { AnyCast<int>(Any()); }},
      {"text from empty", [] { AnyCast<std::string>(Any()); }},
      {"text from int", [] { AnyCast<std::string>(Any(1)); }},
      {"int from text", [] { AnyCast<int>(Any(std::string("1"))); }},
      {"int from double", [] { AnyCast<int>(Any(1.0)); }},
      {"double from int", [] { AnyCast<double>(Any(1)); }},
      {"int from bool", [] { AnyCast<int>(Any(true)); }},
      {"unsigned from bool", [] { AnyCast<unsigned int>(Any(true)); }},
      {"bool from double", [] { AnyCast<bool>(Any(1.0)); }},
      {"bool from text", [] { AnyCast<bool>(Any(std::string("true"))); }},
      {"int from json", [] { AnyCast<int>(Any(Json::Value(1))); }},
      {"bool from json", [] { AnyCast<bool>(Any(Json::Value(true))); }},
      {"text from json", [] { AnyCast<std::string>(Any(Json::Value("a"))); }},
      {"json from int", [] { AnyCast<Json::Value>(Any(1)); }},
      {"pointer from other pointer",
       [] { AnyCast<CSharedPtr<double>>(Any(CSharedPtr<int>(nullptr, nullptr))); }},
  };
  for (const auto& [name, cast] : casts) {
    try {
      cast();
      ADD_FAILURE() << name << ": no exception";
    } catch (const std::bad_cast& error) {
      EXPECT_STREQ(error.what(), "bad cast") << name;
    }
  }
}

}  // namespace
}  // namespace Foundation
