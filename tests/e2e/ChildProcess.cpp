#include "e2e/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace fondex::e2e {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPollInterval{10};
constexpr milliseconds kTerminationGrace{2000};

std::vector<char*> NullTerminated(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  pointers.reserve(strings.size() + 1);
  for (const std::string& text : strings) {
    pointers.push_back(const_cast<char*>(text.c_str()));
  }
  pointers.push_back(nullptr);
  return pointers;
}

int ExitCodeOf(const siginfo_t& info) {
  return info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
}

class SpawnActions {
 public:
  explicit SpawnActions(const SpawnRequest& request) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes_, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes_, &none);
    const char* output = request.outputFile.empty() ? "/dev/null" : request.outputFile.c_str();
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, output,
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (request.errorFile.empty()) {
      posix_spawn_file_actions_adddup2(&actions_, STDOUT_FILENO, STDERR_FILENO);
    } else {
      posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, request.errorFile.c_str(),
                                       O_WRONLY | O_CREAT | O_APPEND, 0644);
    }
    if (!request.workingDirectory.empty()) {
      posix_spawn_file_actions_addchdir_np(&actions_, request.workingDirectory.c_str());
    }
  }
  ~SpawnActions() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

}  // namespace

ChildProcess::ChildProcess(const SpawnRequest& request) {
  if (request.arguments.empty()) {
    throw std::invalid_argument("no program to start");
  }
  const SpawnActions actions(request);
  std::vector<char*> arguments = NullTerminated(request.arguments);
  std::vector<char*> environment = NullTerminated(request.environment);
  const int error = posix_spawnp(&pid_, arguments[0], actions.Actions(), actions.Attributes(),
                                 arguments.data(), environment.data());
  if (error != 0) {
    throw std::runtime_error("cannot start " + request.arguments[0] + ": " + std::strerror(error));
  }
}

ChildProcess::~ChildProcess() {
  Stop();
}

std::optional<int> ChildProcess::WaitForExit(milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!exitCode_) {
    siginfo_t info{};
    // Looked at without reaping: while the leader is a zombie its group id stays ours, so
    // whatever it left behind in the group can still be killed by that id.
    if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw std::runtime_error(std::string("waitid: ") + std::strerror(errno));
    }
    if (info.si_pid == pid_) {
      exitCode_ = ExitCodeOf(info);
      kill(-pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    } else if (std::chrono::steady_clock::now() >= end) {
      break;
    } else {
      std::this_thread::sleep_for(kPollInterval);
    }
  }
  return exitCode_;
}

void ChildProcess::Stop() {
  if (exitCode_ || pid_ <= 0) {
    return;
  }
  kill(-pid_, SIGTERM);
  if (!WaitForExit(kTerminationGrace)) {
    kill(-pid_, SIGKILL);
    WaitForExit(kTerminationGrace);
  }
}

int RunToCompletion(const SpawnRequest& request, milliseconds limit) {
  ChildProcess process(request);
  const std::optional<int> code = process.WaitForExit(limit);
  if (!code) {
    throw std::runtime_error(request.arguments[0] + " did not end within " +
                             std::to_string(limit.count()) + " ms");
  }
  return *code;
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds limit) {
  constexpr milliseconds kConditionPoll{25};
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) {
      return false;
    }
    std::this_thread::sleep_for(kConditionPoll);
  }
  return true;
}

std::vector<std::string> WithVariables(std::vector<std::string> environment,
                                       const std::vector<std::string>& extra) {
  for (const std::string& variable : extra) {
    const std::string name = variable.substr(0, variable.find('=') + 1);
    std::erase_if(environment, [&](const std::string& own) { return own.starts_with(name); });
    environment.push_back(variable);
  }
  return environment;
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace fondex::e2e
