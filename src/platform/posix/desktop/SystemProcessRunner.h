#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

struct RunnerLimits {
  std::chrono::milliseconds timeLimit{10000};  // a tool still running then is killed
  std::size_t outputLimit = 1 << 20;           // bytes kept of a tool's output; the rest is read
                                               // and thrown away
};

// The full path of a program found on $PATH; a name with a slash is taken as it is.
std::optional<std::string> FindProgram(std::string_view name);

// Starts programs with fork and execve: no shell, standard input and error on /dev/null, no
// descriptor of this program inherited. Tools and monitors get a death signal, so that they end
// with this program even when it is killed, and a process group of their own, which is ended
// with them at their time limit; lasting programs run in their own session.
class SystemProcessRunner : public ProcessRunner {
 public:
  explicit SystemProcessRunner(RunnerLimits limits = {});

  // Called every few milliseconds while a tool runs or a change pauses, so that the caller's
  // event loop keeps turning; it must not start tools itself.
  void SetWaitHook(std::function<void()> hook) { waitHook_ = std::move(hook); }

  bool HasProgram(std::string_view name) override;
  ToolResult Run(const Argv& argv) override;
  std::unique_ptr<RunningProcess> StartMonitor(const Argv& argv) override;
  std::optional<int> StartLasting(const Argv& argv, std::chrono::milliseconds settle) override;
  void StopLasting(int pid, std::string_view program) override;
  void StartChange(std::chrono::milliseconds budget) override;
  void EndChange() override;
  bool OutOfTime() const override;
  void Pause(std::chrono::milliseconds time) override;

 private:
  void ReapFinishedLasting();
  void TurnCallersLoop();

  RunnerLimits limits_;
  std::vector<pid_t> lastingChildren_;
  std::function<void()> waitHook_;
  bool turning_ = false;
  int openChanges_ = 0;
  std::chrono::steady_clock::time_point changeDeadline_;
};

}  // namespace fondex::platform::posix::desktop
