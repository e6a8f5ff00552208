#include "desktop_fake_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace fondex::platform::posix::desktop::testing {
namespace {

FakeMonitor::PipeEnds MakePipe() {
  int ends[2] = {-1, -1};
  ::pipe2(ends, O_CLOEXEC | O_NONBLOCK);
  return {ends[0], ends[1]};
}

}  // namespace

FakeMonitor::FakeMonitor() : FakeMonitor(MakePipe()) {}

FakeMonitor::FakeMonitor(PipeEnds ends) : readEnd_(ends.read), writeEnd_(ends.write) {}

std::vector<std::string> FakeMonitor::TakeLines() {
  char buffer[256];
  while (::read(readEnd_.Get(), buffer, sizeof buffer) > 0) {
  }
  return std::exchange(pending_, {});
}

void FakeMonitor::Emit(const std::string& line) {
  pending_.push_back(line);
  [[maybe_unused]] const ssize_t written = ::write(writeEnd_.Get(), "\n", 1);
}

ToolResult FakeRunner::Run(const Argv& argv) {
  runs.push_back(argv);
  if (respond) {
    if (std::optional<ToolResult> result = respond(argv)) {
      return *result;
    }
  }
  for (const auto& [start, result] : answers_) {
    if (argv.size() >= start.size() && std::equal(start.begin(), start.end(), argv.begin())) {
      return result;
    }
  }
  return {.succeeded = true, .output = {}};
}

std::unique_ptr<RunningProcess> FakeRunner::StartMonitor(const Argv& argv) {
  monitorArgs.push_back(argv);
  auto monitor = std::make_unique<FakeMonitor>();
  lastMonitor = monitor.get();
  monitors.push_back(lastMonitor);
  return monitor;
}

std::optional<int> FakeRunner::StartLasting(const Argv& argv, std::chrono::milliseconds) {
  if (!lastingStarts) {
    return std::nullopt;
  }
  std::string event = "start " + std::to_string(nextPid);
  for (const std::string& argument : argv) {
    event += ' ' + argument;
  }
  lastingEvents.push_back(event);
  session.push_back({.pid = nextPid, .started = session.size() + 1, .argv = argv});
  return nextPid++;
}

void FakeRunner::StopLasting(int pid, std::string_view program) {
  lastingEvents.push_back("stop " + std::to_string(pid) + ' ' + std::string(program));
  std::erase_if(session, [&](const SessionProgram& running) {
    return running.pid == pid && !running.argv.empty() && running.argv.front() == program;
  });
}

std::vector<SessionProgram> FakeRunner::SessionPrograms(std::string_view program) {
  std::vector<SessionProgram> named;
  for (const SessionProgram& running : session) {
    if (!running.argv.empty() && running.argv.front() == program) {
      named.push_back(running);
    }
  }
  return named;
}

}  // namespace fondex::platform::posix::desktop::testing
