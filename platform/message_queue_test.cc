#include <csignal>
#include <cstdint>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace Platform {
namespace {

// Collects messages until the loop ends; returns the ids seen.
std::vector<std::uint32_t> RunLoop() {
  std::vector<std::uint32_t> ids;
  Message message;
  while (NextMessage(&message) > 0) ids.push_back(message.id);
  return ids;
}

TEST(MessageQueueTest, DeliversPostsFromOtherThreadsInOrderUntilQuit) {
  const ThreadId main = CurrentThreadId();
  EnsureMessageQueue();
  std::thread poster([main] {
    for (std::uint32_t id = 0x500; id < 0x510; ++id) {
      ASSERT_TRUE(PostThreadMessageTo(main, id, id, static_cast<std::intptr_t>(id)));
    }
    PostQuit(main);
    PostThreadMessageTo(main, 0x600, 0, 0);  // after quit: left for a later loop
  });
  poster.join();

  std::vector<std::uint32_t> expected;
  for (std::uint32_t id = 0x500; id < 0x510; ++id) expected.push_back(id);
  EXPECT_EQ(RunLoop(), expected);

  Message late;
  ASSERT_EQ(NextMessage(&late), 1);
  EXPECT_EQ(late.id, 0x600u);
}

TEST(MessageQueueTest, CarriesTheTaskPointer) {
  struct Noop final : ITask {
    void Run() override {}
    void Release() override {}
  } task;
  const ThreadId main = CurrentThreadId();
  EnsureMessageQueue();
  std::thread([main, &task] { PostTask(main, &task); }).join();
  Message message;
  ASSERT_EQ(NextMessage(&message), 1);
  EXPECT_EQ(message.id, kTaskMessage);
  EXPECT_EQ(reinterpret_cast<ITask*>(message.lparam), &task);
}

TEST(MessageQueueTest, PostingToAThreadWithoutQueueFails) {
  ThreadId without_queue = 0;
  ThreadId ended = 0;
  std::thread([&without_queue] { without_queue = CurrentThreadId(); }).join();
  std::thread([&ended] {
    EnsureMessageQueue();
    ended = CurrentThreadId();
  }).join();

  EXPECT_FALSE(PostQuit(without_queue));
  EXPECT_FALSE(PostQuit(ended));
  EXPECT_FALSE(PostQuit(0));
  EXPECT_NE(without_queue, ended);
}

#ifndef _WIN32
TEST(MessageQueueTest, TerminationSignalsEndTheLoop) {
  EnsureMessageQueue();
  QuitOnTerminationSignals();
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    PostThreadMessageTo(CurrentThreadId(), 0x501, 0, 0);
    std::raise(signal);
    EXPECT_EQ(RunLoop(), std::vector<std::uint32_t>{0x501});
  }
}
#endif

}  // namespace
}  // namespace Platform
