#include "platform/posix/TaskPool.h"

#include <algorithm>
#include <system_error>

namespace fondex::platform::posix {
namespace {

constexpr unsigned kMaxHelpers = 3;

}  // namespace

TaskPool::TaskPool(unsigned helpers) : helperCount_(helpers) {}

TaskPool::~TaskPool() {
  Finish();
}

unsigned TaskPool::HelpersForThisMachine() {
  const unsigned cores = std::thread::hardware_concurrency();
  return std::min(cores > 1 ? cores - 1 : 0, kMaxHelpers);
}

void TaskPool::Post(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  posted_.notify_one();
  // A helper that cannot be started leaves its share to the others and to Finish().
  while (helpers_.size() < helperCount_) {
    try {
      helpers_.emplace_back(&TaskPool::Work, this);
    } catch (const std::system_error&) {
      helperCount_ = static_cast<unsigned>(helpers_.size());
    }
  }
}

void TaskPool::Finish() {
  {
    const std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  posted_.notify_all();
  Work();
  for (std::thread& helper : helpers_) {
    helper.join();
  }
  helpers_.clear();
}

void TaskPool::Work() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      posted_.wait(lock, [this] { return finishing_ || !tasks_.empty(); });
      if (tasks_.empty()) {
        return;
      }
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

}  // namespace fondex::platform::posix
