#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/ChildProcess.h"

namespace fondex::desktops {

// The programs of a real desktop on a journey's screen, with a session bus of their own. Every
// program started here is ended, with its process group, when the desktop goes.
class LiveDesktop {
 public:
  // `environment`: the variables ("NAME=value") its programs share with the program under test;
  // their output goes to files of `logFolder`.
  LiveDesktop(std::vector<std::string> environment, std::filesystem::path logFolder);
  ~LiveDesktop();
  LiveDesktop(const LiveDesktop&) = delete;
  LiveDesktop& operator=(const LiveDesktop&) = delete;

  // Adds variables to the environment, before the bus starts for those its services need.
  void AddVariables(const std::vector<std::string>& variables);
  // Starts the session bus and adds its address to the environment; false when none started.
  bool StartBus();
  const std::vector<std::string>& Environment() const { return environment_; }

  // Starts a program that keeps running, with the desktop's environment and `extra` variables;
  // its process id.
  pid_t Start(const std::vector<std::string>& argv, const std::vector<std::string>& extra = {});

  struct Outcome {
    int code = -1;
    std::string output;  // standard output and error
  };
  // Runs a tool to its end.
  Outcome Run(const std::vector<std::string>& argv) const;
  // Runs it until it succeeds, or the wait limit passes.
  bool RunsWithin(const std::vector<std::string>& argv) const;
  // The output of a tool that must succeed; throws when it fails.
  std::string Output(const std::vector<std::string>& argv) const;

  // Whether a program of that name is installed.
  static bool Installed(const std::string& program);

 private:
  std::vector<std::string> environment_;
  std::filesystem::path logs_;
  std::vector<std::unique_ptr<e2e::ChildProcess>> programs_;
};

// The environment of a desktop session on an X display: its own home and runtime folder (made
// private to its owner, as a session's is), the caller's PATH and a UTF-8 locale.
std::vector<std::string> SessionEnvironment(const std::string& display,
                                            const std::filesystem::path& home,
                                            const std::filesystem::path& runtime);

}  // namespace fondex::desktops
