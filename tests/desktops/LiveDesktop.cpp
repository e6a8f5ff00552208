#include "desktops/LiveDesktop.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "e2e/Sandbox.h"

namespace fondex::desktops {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kToolLimit{20000};
constexpr milliseconds kPatience{15000};

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

// The program's output goes to the given file; it runs in the test's own folder.
e2e::SpawnRequest Request(std::vector<std::string> argv, std::vector<std::string> environment,
                          const std::filesystem::path& output) {
  e2e::SpawnRequest request;
  request.arguments = std::move(argv);
  request.environment = std::move(environment);
  request.outputFile = output.string();
  return request;
}

}  // namespace

std::vector<std::string> SessionEnvironment(const std::string& display,
                                            const std::filesystem::path& home,
                                            const std::filesystem::path& runtime) {
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  return {"DISPLAY=" + display, "HOME=" + home.string(), "XDG_RUNTIME_DIR=" + runtime.string(),
          "PATH=" + e2e::EnvironmentValue("PATH"), "LANG=C.UTF-8"};
}

LiveDesktop::LiveDesktop(std::vector<std::string> environment, std::filesystem::path logFolder)
    : environment_(std::move(environment)), logs_(std::move(logFolder)) {}

LiveDesktop::~LiveDesktop() {
  // The desktop's programs before the bus they talk through.
  while (!programs_.empty()) {
    programs_.pop_back();
  }
}

void LiveDesktop::AddVariables(const std::vector<std::string>& variables) {
  environment_ = e2e::WithVariables(std::move(environment_), variables);
}

bool LiveDesktop::StartBus() {
  const std::filesystem::path address = logs_ / "bus-address";
  programs_.push_back(std::make_unique<e2e::ChildProcess>(Request(
      {"dbus-daemon", "--session", "--nofork", "--print-address=1"}, environment_, address)));
  std::string line;
  const bool listening = e2e::WaitUntil(
      [&] {
        line = FirstLine(e2e::ReadFile(address));
        return line.starts_with("unix:");
      },
      kPatience);
  if (!listening) {
    return false;
  }
  environment_.push_back("DBUS_SESSION_BUS_ADDRESS=" + line);
  return true;
}

pid_t LiveDesktop::Start(const std::vector<std::string>& argv,
                         const std::vector<std::string>& extra) {
  const std::filesystem::path log =
      logs_ / (std::filesystem::path(argv.front()).filename().string() + ".log");
  programs_.push_back(std::make_unique<e2e::ChildProcess>(
      Request(argv, e2e::WithVariables(environment_, extra), log)));
  return programs_.back()->Pid();
}

LiveDesktop::Outcome LiveDesktop::Run(const std::vector<std::string>& argv) const {
  const std::filesystem::path output = logs_ / "tool-output";
  std::filesystem::remove(output);
  Outcome outcome;
  outcome.code = e2e::RunToCompletion(Request(argv, environment_, output), kToolLimit);
  outcome.output = e2e::ReadFile(output);
  return outcome;
}

bool LiveDesktop::RunsWithin(const std::vector<std::string>& argv) const {
  return e2e::WaitUntil([&] { return Run(argv).code == 0; }, kPatience);
}

std::string LiveDesktop::Output(const std::vector<std::string>& argv) const {
  const Outcome outcome = Run(argv);
  if (outcome.code != 0) {
    throw std::runtime_error(argv.front() + " failed: " + outcome.output);
  }
  return outcome.output;
}

bool LiveDesktop::Installed(const std::string& program) {
  std::istringstream path(e2e::EnvironmentValue("PATH"));
  for (std::string folder; std::getline(path, folder, ':');) {
    if (::access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace fondex::desktops
