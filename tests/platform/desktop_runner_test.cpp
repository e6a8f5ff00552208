#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/desktop/SystemProcessRunner.h"

namespace fondex::platform::posix::desktop {
namespace {

using namespace std::chrono_literals;

bool HasChildren() {
  int status = 0;
  return ::waitpid(-1, &status, WNOHANG) == 0;
}

bool Alive(int pid) {
  return ::kill(pid, 0) == 0;
}

TEST(SystemProcessRunner, ArgumentsReachTheProgramAsTheyAre) {
  SystemProcessRunner runner;
  const std::string pwned = std::filesystem::temp_directory_path() / "fondex-pwned";
  std::filesystem::remove(pwned);
  const std::string path = "/tmp/l'image \"x\" $HOME; `touch " + pwned + "` $(touch " + pwned +
                           ")\\n\\\\\n\xE9t\xC3\xA9.bmp";
  const ToolResult result = runner.Run({"printf", "%s", path});
  EXPECT_TRUE(result.succeeded);
  EXPECT_EQ(result.output, path);
  EXPECT_FALSE(std::filesystem::exists(pwned));
}

TEST(SystemProcessRunner, ExitStatusAndMissingPrograms) {
  SystemProcessRunner runner;
  EXPECT_FALSE(runner.Run({"false"}).succeeded);
  EXPECT_FALSE(runner.Run({"fondex-no-such-tool"}).succeeded);
  EXPECT_FALSE(runner.Run({}).succeeded);
  EXPECT_TRUE(runner.HasProgram("true"));
  EXPECT_FALSE(runner.HasProgram("fondex-no-such-tool"));
  EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
  EXPECT_FALSE(HasChildren());
}

TEST(SystemProcessRunner, TimeLimitAndOutputBound) {
  SystemProcessRunner runner({.timeLimit = 300ms, .outputLimit = 1000});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(runner.Run({"sleep", "30"}).succeeded);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_FALSE(HasChildren());

  // The rest of the output is read and thrown away, so the tool is never blocked on it.
  const ToolResult big = runner.Run({"head", "-c", "1000000", "/dev/zero"});
  EXPECT_TRUE(big.succeeded);
  EXPECT_EQ(big.output.size(), 1000u);
}

// Running, not a zombie waiting for its new parent to reap it.
bool Running(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t end = line.rfind(')');
  return end != std::string::npos && end + 2 < line.size() && line[end + 2] != 'Z';
}

TEST(SystemProcessRunner, AToolAtItsLimitEndsWithWhatItStarted) {
  SystemProcessRunner runner({.timeLimit = 300ms, .outputLimit = 1000});
  const ToolResult result =
      runner.Run({"sh", "-c", "sleep 1000 & echo $!; sh -c 'sleep 1000' & echo $!; wait"});
  EXPECT_FALSE(result.succeeded);
  std::istringstream pids(result.output);
  int count = 0;
  for (int pid = 0; pids >> pid; ++count) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (Running(pid) && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(Running(pid)) << "process " << pid << " still runs";
  }
  EXPECT_EQ(count, 2) << result.output;
}

TEST(SystemProcessRunner, ToolsOfOneChangeShareItsTimeAndTheCallerKeepsTurning) {
  SystemProcessRunner runner({.timeLimit = 60s, .outputLimit = 1000});
  int turns = 0;
  runner.SetWaitHook([&] { ++turns; });
  {
    const ChangeTime time(&runner, 500ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(runner.Run({"sleep", "30"}).succeeded);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    EXPECT_TRUE(runner.OutOfTime());
    // The time is spent: the next tool of the change does not even start.
    EXPECT_FALSE(runner.Run({"true"}).succeeded);
    {
      const ChangeTime inner(&runner, 60s);
      EXPECT_TRUE(runner.OutOfTime());
    }
  }
  EXPECT_GT(turns, 0);
  EXPECT_FALSE(runner.OutOfTime());
  EXPECT_TRUE(runner.Run({"true"}).succeeded);
  EXPECT_FALSE(HasChildren());
}

TEST(SystemProcessRunner, MonitorsGiveLinesAndEndWithTheirOwner) {
  SystemProcessRunner runner;
  auto lines = runner.StartMonitor({"printf", "picture-uri: 'a'\nsecond\nunfinished"});
  ASSERT_NE(lines, nullptr);
  std::vector<std::string> seen;
  while (lines->OutputDescriptor() >= 0) {
    pollfd watched{.fd = lines->OutputDescriptor(), .events = POLLIN, .revents = 0};
    ASSERT_EQ(::poll(&watched, 1, 5000), 1);
    for (std::string& line : lines->TakeLines()) {
      seen.push_back(std::move(line));
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"picture-uri: 'a'", "second"}));
  lines.reset();

  auto waiting = runner.StartMonitor({"sleep", "30"});
  ASSERT_NE(waiting, nullptr);
  EXPECT_TRUE(waiting->TakeLines().empty());
  EXPECT_TRUE(HasChildren());
  waiting.reset();
  EXPECT_FALSE(HasChildren());
}

TEST(SystemProcessRunner, LastingProgramsRunInTheirOwnSessionUntilStopped) {
  SystemProcessRunner runner;
  // Generous waits: a program that ends is reaped at once, and one that lasts must have become
  // itself (its name is checked when it is stopped) even on a loaded machine.
  EXPECT_FALSE(runner.StartLasting({"false"}, 10s).has_value());
  const std::optional<int> pid = runner.StartLasting({"sleep", "30"}, 1s);
  ASSERT_TRUE(pid.has_value());
  EXPECT_EQ(::getsid(*pid), *pid);

  runner.StopLasting(*pid, "swaybg");  // not that program: left alone
  EXPECT_TRUE(Alive(*pid));
  runner.StopLasting(*pid, "sleep");
  EXPECT_FALSE(Alive(*pid));
  EXPECT_FALSE(HasChildren());
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
