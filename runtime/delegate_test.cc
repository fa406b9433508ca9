#include "runtime/delegate.h"

#include <gtest/gtest.h>

namespace fastdelegate {
namespace {

class Counter {
 public:
  void Add(int amount) { total += amount; }
  int Sum(int a, int b, int c, int d) { return total + a + b + c + d; }
  int total = 0;
};

TEST(Delegate, CallsTheBoundMemberOnItsObject) {
  Counter counter;
  FastDelegate1<int, void> add = MakeDelegate(&counter, &Counter::Add);
  FastDelegate1<int, void> copy = add;
  add(2);
  copy(3);
  EXPECT_EQ(counter.total, 5);
  FastDelegate4<int, int, int, int, int> sum(&counter, &Counter::Sum);
  EXPECT_EQ(sum(1, 2, 3, 4), 15);
}

TEST(Delegate, EmptyMeansNullObject) {
  Counter counter;
  FastDelegate1<int, void> empty;
  EXPECT_TRUE(empty.empty());
  FastDelegate1<int, void> bound(&counter, &Counter::Add);
  EXPECT_FALSE(bound.empty());
  EXPECT_NE(empty, bound);
  EXPECT_EQ(bound, MakeDelegate(&counter, &Counter::Add));
  bound.clear();
  EXPECT_TRUE(bound.empty());
}

TEST(Delegate, IsTwoWordsOfData) {
  EXPECT_EQ(sizeof(FastDelegate0<void>),
            sizeof(void*) + sizeof(void (detail::GenericClass::*)()));
}

}  // namespace
}  // namespace fastdelegate
