#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace fondex::platform::posix {

// Helper threads that run posted tasks while the poster goes on producing more; Finish() makes
// the poster work through what is left and waits for every task to end. The helpers start with
// the first task, so that a pool that gets no task costs nothing.
class TaskPool {
 public:
  explicit TaskPool(unsigned helpers);
  ~TaskPool();
  TaskPool(const TaskPool&) = delete;
  TaskPool& operator=(const TaskPool&) = delete;

  void Post(std::function<void()> task);
  void Finish();

  // One helper per further core, a few at most.
  static unsigned HelpersForThisMachine();

 private:
  void Work();

  unsigned helperCount_;
  std::vector<std::thread> helpers_;
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
  bool finishing_ = false;
};

}  // namespace fondex::platform::posix
