#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fondex::e2e {

struct SpawnRequest {
  std::vector<std::string> arguments;    // the first one is the program, looked up in PATH
  std::vector<std::string> environment;  // "NAME=value", the child's whole environment
  std::string outputFile;                // stdout and stderr are appended here; /dev/null if empty
  std::string errorFile;                 // stderr alone goes here instead, when given
  std::string workingDirectory;          // the test's own when empty
};

// A process started by a test, in a process group of its own; it inherits the test's descriptors
// that are not marked close-on-exec. Whatever happens to the test,
// the destructor ends the group and reaps the process.
class ChildProcess {
 public:
  explicit ChildProcess(const SpawnRequest& request);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // The exit code once the process has ended within the limit (128 + the signal number when a
  // signal ended it); nothing while it still runs.
  std::optional<int> WaitForExit(std::chrono::milliseconds limit);

  // Asks the group to terminate, and kills it when it has not ended after a short grace.
  void Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs a short-lived program to its end; throws when it fails to end within the limit.
int RunToCompletion(const SpawnRequest& request, std::chrono::milliseconds limit);

// Polls the condition until it holds (true) or the limit passes (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

// The environment with the variables of `extra` ("NAME=value") in place of its own of that name.
std::vector<std::string> WithVariables(std::vector<std::string> environment,
                                       const std::vector<std::string>& extra);

// The value of a variable of the test's own environment, empty when unset.
std::string EnvironmentValue(const char* name);

}  // namespace fondex::e2e
