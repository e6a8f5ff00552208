#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace fondex::platform::posix::desktop {

// A program and its arguments, handed to the program as they are: no shell ever sees them.
using Argv = std::vector<std::string>;

struct ToolResult {
  bool succeeded = false;  // started, and exited with status 0 within the time limit
  std::string output;      // its standard output, cut at the runner's bound
};

// A program that keeps running and writes one line per event (a settings monitor).
class RunningProcess {
 public:
  virtual ~RunningProcess() = default;  // stops the program
  // Readable when lines have come; -1 once the program has closed its output.
  virtual int OutputDescriptor() const = 0;
  // The complete lines that have come, without waiting.
  virtual std::vector<std::string> TakeLines() = 0;
};

// Starts the desktop's own tools.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;

  virtual bool HasProgram(std::string_view name) = 0;

  // Runs a tool to its end and returns its output.
  virtual ToolResult Run(const Argv& argv) = 0;

  // Starts a monitor, which ends with its owner and, at the latest, with this program.
  virtual std::unique_ptr<RunningProcess> StartMonitor(const Argv& argv) = 0;

  // Starts a program meant to outlive this one (a wallpaper drawer); its process id once it has
  // run for `settle` without exiting, nothing when it did not start or exited meanwhile.
  virtual std::optional<int> StartLasting(const Argv& argv, std::chrono::milliseconds settle) = 0;

  // Stops a program that StartLasting started, in this run or an earlier one, provided the
  // process is still that program.
  virtual void StopLasting(int pid, std::string_view program) = 0;

  // One change of the desktop has one time in all: every tool run from StartChange to EndChange
  // ends by its deadline, and once that has passed a run fails at once. A change started inside
  // another keeps the outer one's deadline.
  virtual void StartChange(std::chrono::milliseconds) {}
  virtual void EndChange() {}
  // Whether the time of the change under way is spent.
  virtual bool OutOfTime() const { return false; }
  // Lets time pass between two runs of a change as a run's own wait does.
  virtual void Pause(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }
};

// The time of one change, from its creation to its end.
class ChangeTime {
 public:
  ChangeTime(ProcessRunner* runner, std::chrono::milliseconds budget) : runner_(runner) {
    if (runner_ != nullptr) {
      runner_->StartChange(budget);
    }
  }
  ~ChangeTime() {
    if (runner_ != nullptr) {
      runner_->EndChange();
    }
  }
  ChangeTime(const ChangeTime&) = delete;
  ChangeTime& operator=(const ChangeTime&) = delete;

 private:
  ProcessRunner* runner_;
};

}  // namespace fondex::platform::posix::desktop
