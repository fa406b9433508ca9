// Runs work on the launcher's main thread through the task message.
#ifndef SHIMWELL_TOOLS_SERVICE_MAIN_THREAD_H_
#define SHIMWELL_TOOLS_SERVICE_MAIN_THREAD_H_

#include <functional>
#include <mutex>
#include <set>
#include <utility>

#include "platform/post_task.h"

namespace ferrowyn {

// Posts tasks to the main thread and keeps account of them: tasks still
// queued when the main loop ends are never run nor released by the
// launcher, so they are freed here once the loop is known to be over.
class MainThread {
 public:
  explicit MainThread(Platform::ThreadId id) : id_(id) {}
  ~MainThread() { DropUnrun(); }
  MainThread(const MainThread&) = delete;
  MainThread& operator=(const MainThread&) = delete;

  // Queues `work`; false when it could not be queued or posting has been
  // shut, and then it never runs.  Any thread.
  bool Post(std::function<void()> work) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shut_) return false;
    auto* task = new Task(this, std::move(work));
    if (!Platform::PostTask(id_, task)) {
      delete task;
      return false;
    }
    queued_.insert(task);
    return true;
  }

  // Refuses further posts.  Any thread.
  void Shut() {
    std::lock_guard<std::mutex> lock(mutex_);
    shut_ = true;
  }

  // Frees the tasks that were queued and never released.  Only once the main
  // loop no longer runs tasks.
  void DropUnrun() {
    std::lock_guard<std::mutex> lock(mutex_);
    shut_ = true;
    for (Task* task : queued_) delete task;
    queued_.clear();
  }

 private:
  class Task final : public Platform::ITask {
   public:
    Task(MainThread* owner, std::function<void()> work) : owner_(owner), work_(std::move(work)) {}
    ~Task() = default;
    void Run() override { work_(); }
    void Release() override {
      owner_->Forget(this);
      delete this;
    }

   private:
    MainThread* owner_;
    std::function<void()> work_;
  };

  void Forget(Task* task) {
    std::lock_guard<std::mutex> lock(mutex_);
    queued_.erase(task);
  }

  Platform::ThreadId id_;
  std::mutex mutex_;
  bool shut_ = false;
  std::set<Task*> queued_;
};

}  // namespace ferrowyn

#endif  // SHIMWELL_TOOLS_SERVICE_MAIN_THREAD_H_
