#include "runtime/shared_ptr.h"

#include <gtest/gtest.h>

namespace Foundation {
namespace {

int deletions = 0;
void CountDeletion(int* value) {
  ++deletions;
  delete value;
}

class CSharedPtrTest : public ::testing::Test {
 protected:
  void SetUp() override { deletions = 0; }
};

TEST_F(CSharedPtrTest, LastCopyRunsTheDeleterOnceInEitherOrder) {
  for (bool first_goes_first : {true, false}) {
    deletions = 0;
    auto* first = new CSharedPtr<int>(new int(1), &CountDeletion);
    auto* second = new CSharedPtr<int>(*first);
    EXPECT_EQ(first->use_count(), 2);
    delete (first_goes_first ? first : second);
    EXPECT_EQ(deletions, 0);
    delete (first_goes_first ? second : first);
    EXPECT_EQ(deletions, 1);
  }
}

TEST_F(CSharedPtrTest, NullDeleterOnlyFreesTheControlBlock) {
  int value = 3;
  {
    CSharedPtr<int> pointer(&value, nullptr);
    CSharedPtr<int> copy(pointer);
    EXPECT_EQ(*copy, 3);
  }
  EXPECT_EQ(value, 3);
}

TEST_F(CSharedPtrTest, AssignmentCountsTheSourceBeforeReleasing) {
  CSharedPtr<int> pointer(new int(4), &CountDeletion);
  CSharedPtr<int>& alias = pointer;
  pointer = alias;
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(pointer.use_count(), 1);
  EXPECT_EQ(*pointer, 4);

  CSharedPtr<int> other(new int(5), &CountDeletion);
  pointer = other;
  EXPECT_EQ(deletions, 1);
  EXPECT_EQ(other.use_count(), 2);
  EXPECT_EQ(pointer.get(), other.get());
}

TEST_F(CSharedPtrTest, ResetDropsOneReference) {
  CSharedPtr<int> pointer(new int(6), &CountDeletion);
  CSharedPtr<int> copy(pointer);
  pointer.reset();
  EXPECT_FALSE(pointer);
  EXPECT_EQ(pointer.use_count(), 0);
  EXPECT_EQ(copy.use_count(), 1);
  copy.reset();
  EXPECT_EQ(deletions, 1);
}

}  // namespace
}  // namespace Foundation
