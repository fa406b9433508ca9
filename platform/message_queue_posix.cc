// Per-thread message queues on POSIX with the contract of the Win32 thread
// queue: any thread may post to a thread that has a queue, the owner waits
// for the next message in posting order, and a quit message ends its loop.
// A thread's queue is created on its first use and removed when it ends;
// posting to a thread without a queue fails.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "platform/platform.h"

namespace Platform {
namespace {

struct Queue {
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<Message> messages;
};

class QueueRegistry {
 public:
  // Never destroyed: threads may still post while the process exits.
  static QueueRegistry& Get() {
    static QueueRegistry* registry = new QueueRegistry;
    return *registry;
  }

  std::shared_ptr<Queue> Find(ThreadId thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = queues_.find(thread);
    return it == queues_.end() ? nullptr : it->second;
  }

  std::shared_ptr<Queue> FindOrCreate(ThreadId thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::shared_ptr<Queue>& queue = queues_[thread];
    if (!queue) queue = std::make_shared<Queue>();
    return queue;
  }

  void Remove(ThreadId thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    queues_.erase(thread);
  }

 private:
  std::mutex mutex_;
  std::map<ThreadId, std::shared_ptr<Queue>> queues_;
};

ThreadId NewThreadId() {
  static std::atomic<ThreadId> next{1};
  return next++;
}

// The calling thread's id and, once used, its queue; the queue leaves the
// registry when the thread ends.
class ThreadState {
 public:
  ~ThreadState() {
    if (queue_) QueueRegistry::Get().Remove(id_);
  }

  ThreadId id() const { return id_; }

  Queue& queue() {
    if (!queue_) queue_ = QueueRegistry::Get().FindOrCreate(id_);
    return *queue_;
  }

 private:
  ThreadId id_ = NewThreadId();
  std::shared_ptr<Queue> queue_;
};

ThreadState& CurrentThread() {
  thread_local ThreadState state;
  return state;
}

}  // namespace

void EnsureMessageQueue() { CurrentThread().queue(); }

int NextMessage(Message* message) {
  Queue& queue = CurrentThread().queue();
  std::unique_lock<std::mutex> lock(queue.mutex);
  queue.ready.wait(lock, [&queue] { return !queue.messages.empty(); });
  *message = queue.messages.front();
  queue.messages.pop_front();
  return message->id == kQuitMessage ? 0 : 1;
}

// There are no windows here, so there is nothing to dispatch to.
void DispatchToWindow(const Message&) {}

}  // namespace Platform

extern "C" std::uint32_t WharfgateCurrentThreadId() { return Platform::CurrentThread().id(); }

extern "C" int WharfgatePostThreadMessage(std::uint32_t thread, std::uint32_t message,
                                          std::uintptr_t wparam, std::intptr_t lparam) {
  std::shared_ptr<Platform::Queue> queue = Platform::QueueRegistry::Get().Find(thread);
  if (!queue) return 0;
  Platform::Message posted;
  posted.id = message;
  posted.wparam = wparam;
  posted.lparam = lparam;
  {
    std::lock_guard<std::mutex> lock(queue->mutex);
    queue->messages.push_back(posted);
  }
  queue->ready.notify_one();
  return 1;
}
