#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/posix/Handles.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop::testing {

// A monitor whose lines the test hands over; its descriptor turns readable when it does.
class FakeMonitor : public RunningProcess {
 public:
  FakeMonitor();
  int OutputDescriptor() const override { return readEnd_.Get(); }
  std::vector<std::string> TakeLines() override;
  void Emit(const std::string& line);

  struct PipeEnds {
    int read;
    int write;
  };

 private:
  explicit FakeMonitor(PipeEnds ends);

  FileDescriptor readEnd_;
  FileDescriptor writeEnd_;
  std::vector<std::string> pending_;
};

// Records what the back-ends ask for and answers as told: every tool succeeds with no output
// unless an answer for the start of its arguments says otherwise.
class FakeRunner : public ProcessRunner {
 public:
  void Answer(const Argv& start, ToolResult result) { answers_[start] = std::move(result); }
  void Fail(const Argv& start) { Answer(start, {.succeeded = false, .output = {}}); }

  bool HasProgram(std::string_view name) override { return programs.contains(std::string(name)); }
  ToolResult Run(const Argv& argv) override;
  std::unique_ptr<RunningProcess> StartMonitor(const Argv& argv) override;
  std::optional<int> StartLasting(const Argv& argv, std::chrono::milliseconds settle) override;
  void StopLasting(int pid, std::string_view program) override;
  std::vector<SessionProgram> SessionPrograms(std::string_view program) override;

  // Answers first, when it answers at all: a tool whose reply changes as the test goes on.
  std::function<std::optional<ToolResult>(const Argv&)> respond;
  std::set<std::string> programs;
  std::vector<Argv> runs;
  std::vector<Argv> monitorArgs;
  FakeMonitor* lastMonitor = nullptr;  // owned by the back-end's feed
  std::vector<FakeMonitor*> monitors;  // all of them, in the order they started
  // "start <pid> <argv...>" and "stop <pid> <program>", in order.
  std::vector<std::string> lastingEvents;
  bool lastingStarts = true;
  // The session's running programs, oldest first: those started lasting join, stopped ones go.
  std::vector<SessionProgram> session;
  int nextPid = 4100;

 private:
  std::map<Argv, ToolResult> answers_;
};

}  // namespace fondex::platform::posix::desktop::testing
