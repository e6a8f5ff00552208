#include "platform/posix/desktop/SystemProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/posix/FileIo.h"
#include "platform/posix/Handles.h"

namespace fondex::platform::posix::desktop {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kPollSlice{10};
constexpr milliseconds kStopGrace{1000};
constexpr std::size_t kMonitorChunk = 65536;
constexpr std::size_t kLongestLine = 65536;
constexpr const char* kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

enum class Tie { kDiesWithParent, kOwnSession };

struct Spawned {
  pid_t pid = -1;
  int output = -1;  // read end of the child's standard output, owned by the caller
};

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// Between fork and execve only async-signal-safe calls are made: the parent may have threads.
[[noreturn]] void ExecChild(const char* path, char* const* argv, int nullDevice, int output,
                            Tie tie, pid_t parent) {
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  ::sigaction(SIGPIPE, &byDefault, nullptr);
  if (tie == Tie::kOwnSession) {
    ::setsid();
  } else if (::setpgid(0, 0) != 0 || ::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 ||
             ::getppid() != parent) {
    ::_exit(127);
  }
  if (::dup2(nullDevice, STDIN_FILENO) < 0 ||
      ::dup2(output >= 0 ? output : nullDevice, STDOUT_FILENO) < 0 ||
      ::dup2(nullDevice, STDERR_FILENO) < 0) {
    ::_exit(127);
  }
  ::close_range(3, ~0u, 0);
  ::execve(path, argv, environ);
  ::_exit(127);
}

std::optional<Spawned> Spawn(const Argv& argv, bool captureOutput, Tie tie) {
  const std::optional<std::string> path = argv.empty() ? std::nullopt : FindProgram(argv[0]);
  if (!path) {
    return std::nullopt;
  }
  std::vector<char*> arguments;
  for (const std::string& argument : argv) {
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);
  const FileDescriptor nullDevice(::open("/dev/null", O_RDWR | O_CLOEXEC));
  int pipeEnds[2] = {-1, -1};
  if (nullDevice.Get() < 0 || (captureOutput && ::pipe2(pipeEnds, O_CLOEXEC) != 0)) {
    return std::nullopt;
  }
  const FileDescriptor writeEnd(pipeEnds[1]);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ExecChild(path->c_str(), arguments.data(), nullDevice.Get(), writeEnd.Get(), tie, parent);
  }
  if (pid < 0) {
    FileDescriptor unused(pipeEnds[0]);
    return std::nullopt;
  }
  if (tie == Tie::kDiesWithParent) {
    // Made here too, so that the group exists before this process may signal it.
    ::setpgid(pid, pid);
  }
  if (captureOutput) {
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
  }
  return Spawned{.pid = pid, .output = pipeEnds[0]};
}

// Reads what the pipe holds, keeping at most `limit` bytes in `into`; false at its end.
bool Drain(int fd, std::string& into, std::size_t limit) {
  char buffer[16384];
  for (;;) {
    const ssize_t length = ::read(fd, buffer, sizeof buffer);
    if (length > 0) {
      const std::size_t room = limit - std::min(limit, into.size());
      into.append(buffer, std::min(room, static_cast<std::size_t>(length)));
    } else if (length < 0 && errno == EINTR) {
      continue;
    } else {
      return length < 0 && errno == EAGAIN;
    }
  }
}

std::optional<int> TryReap(pid_t pid) {
  int status = 0;
  pid_t reaped;
  do {
    reaped = ::waitpid(pid, &status, WNOHANG);
  } while (reaped < 0 && errno == EINTR);
  return reaped == pid ? std::optional<int>(status) : std::nullopt;
}

// Waits up to `limit` for the pipe to be readable, or simply waits when there is no pipe.
void WaitReadable(int fd, milliseconds limit) {
  pollfd watched{.fd = fd, .events = POLLIN, .revents = 0};
  ::poll(&watched, fd >= 0 ? 1 : 0, static_cast<int>(limit.count()));
}

std::optional<int> ReapWithin(pid_t pid, milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (auto status = TryReap(pid)) {
      return status;
    }
    if (Clock::now() >= deadline) {
      return std::nullopt;
    }
    std::this_thread::sleep_for(milliseconds(2));
  }
}

// The child and whatever it started in its group.
void KillGroup(pid_t pid, int signal) {
  ::kill(-pid, signal);
}

// Asks politely, then insists; the child is reaped either way, and what it started ends with it.
void StopChild(pid_t pid) {
  KillGroup(pid, SIGTERM);
  if (!ReapWithin(pid, kStopGrace)) {
    ::kill(pid, SIGKILL);
    ReapWithin(pid, kStopGrace);
  }
  KillGroup(pid, SIGKILL);
}

std::string ProcessName(int pid) {
  std::string name =
      ReadRegularFile("/proc/" + std::to_string(pid) + "/comm").value_or(std::string());
  if (name.ends_with('\n')) {
    name.pop_back();
  }
  return name;
}

class Monitor : public RunningProcess {
 public:
  Monitor(pid_t pid, int output) : pid_(pid), output_(output) {}
  ~Monitor() override { StopChild(pid_); }

  int OutputDescriptor() const override { return output_.Get(); }

  std::vector<std::string> TakeLines() override {
    std::vector<std::string> lines;
    if (output_.Get() < 0) {
      return lines;
    }
    std::string chunk;
    if (!Drain(output_.Get(), chunk, kMonitorChunk)) {
      output_.Close();
    }
    for (char c : chunk) {
      if (c == '\n') {
        lines.push_back(std::exchange(partial_, std::string()));
      } else if (partial_.size() < kLongestLine) {
        partial_ += c;
      }
    }
    return lines;
  }

 private:
  pid_t pid_;
  FileDescriptor output_;
  std::string partial_;
};

}  // namespace

std::optional<std::string> FindProgram(std::string_view name) {
  if (name.empty()) {
    return std::nullopt;
  }
  if (name.find('/') != std::string_view::npos) {
    return IsExecutableFile(std::string(name)) ? std::optional<std::string>(name) : std::nullopt;
  }
  const char* variable = std::getenv("PATH");
  const std::string_view path = variable != nullptr && *variable != '\0' ? variable : kDefaultPath;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find(':', start), path.size());
    const std::string_view directory = path.substr(start, end - start);
    std::string candidate = std::string(directory.empty() ? "." : directory) + '/';
    candidate += name;
    if (IsExecutableFile(candidate)) {
      return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

SystemProcessRunner::SystemProcessRunner(RunnerLimits limits) : limits_(limits) {}

bool SystemProcessRunner::HasProgram(std::string_view name) {
  return FindProgram(name).has_value();
}

ToolResult SystemProcessRunner::Run(const Argv& argv) {
  auto deadline = Clock::now() + limits_.timeLimit;
  if (openChanges_ > 0) {
    deadline = std::min(deadline, changeDeadline_);
  }
  const std::optional<Spawned> child =
      Clock::now() < deadline ? Spawn(argv, true, Tie::kDiesWithParent) : std::nullopt;
  if (!child) {
    return {};
  }
  FileDescriptor output(child->output);
  ToolResult result;
  bool open = true;
  for (;;) {
    open = open && Drain(output.Get(), result.output, limits_.outputLimit);
    if (const auto status = TryReap(child->pid)) {
      // Whatever it wrote before exiting is in the pipe by now.
      if (open) {
        Drain(output.Get(), result.output, limits_.outputLimit);
      }
      result.succeeded = WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
      return result;
    }
    if (Clock::now() >= deadline) {
      KillGroup(child->pid, SIGKILL);
      ReapWithin(child->pid, kStopGrace);
      result.succeeded = false;
      return result;
    }
    WaitReadable(open ? output.Get() : -1, kPollSlice);
    TurnCallersLoop();
  }
}

std::unique_ptr<RunningProcess> SystemProcessRunner::StartMonitor(const Argv& argv) {
  const std::optional<Spawned> child = Spawn(argv, true, Tie::kDiesWithParent);
  if (!child) {
    return nullptr;
  }
  return std::make_unique<Monitor>(child->pid, child->output);
}

std::optional<int> SystemProcessRunner::StartLasting(const Argv& argv, milliseconds settle) {
  ReapFinishedLasting();
  const std::optional<Spawned> child = Spawn(argv, false, Tie::kOwnSession);
  if (!child || ReapWithin(child->pid, settle)) {
    return std::nullopt;
  }
  lastingChildren_.push_back(child->pid);
  return child->pid;
}

void SystemProcessRunner::StopLasting(int pid, std::string_view program) {
  ReapFinishedLasting();
  if (pid <= 0 || ProcessName(pid) != program.substr(0, 15)) {
    return;  // gone already, or its number now belongs to another program
  }
  if (std::erase(lastingChildren_, pid) > 0) {
    StopChild(pid);
  } else {
    ::kill(pid, SIGTERM);
  }
}

void SystemProcessRunner::StartChange(milliseconds budget) {
  if (openChanges_++ == 0) {
    changeDeadline_ = Clock::now() + budget;
  }
}

void SystemProcessRunner::EndChange() {
  openChanges_ = std::max(openChanges_ - 1, 0);
}

bool SystemProcessRunner::OutOfTime() const {
  return openChanges_ > 0 && Clock::now() >= changeDeadline_;
}

void SystemProcessRunner::Pause(milliseconds time) {
  const auto end = Clock::now() + time;
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    std::this_thread::sleep_for(std::min<Clock::duration>(kPollSlice, end - now));
    TurnCallersLoop();
  }
}

void SystemProcessRunner::TurnCallersLoop() {
  // The hook's own events may not wait on tools of their own.
  if (waitHook_ && !turning_) {
    turning_ = true;
    waitHook_();
    turning_ = false;
  }
}

void SystemProcessRunner::ReapFinishedLasting() {
  std::erase_if(lastingChildren_, [](pid_t pid) { return TryReap(pid).has_value(); });
}

}  // namespace fondex::platform::posix::desktop
