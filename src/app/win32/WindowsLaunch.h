#pragma once

#include <optional>

#include "mainwindow/CommandLine.h"
#include "platform/win32/Win32ProgramInstance.h"

namespace fondex {

// The command line, answered before anything else starts: --help, --version and a wrong option
// end the process at once, their text on the caller's console; otherwise the program runs only
// when no copy runs in its folder yet, and a later start hands its command to that copy.
class WindowsLaunch {
 public:
  WindowsLaunch(int argc, char** argv);

  // The exit status when this process ends here; nothing when it runs the program.
  std::optional<int> EndsHere();

  const LaunchCommand& Command() const { return line_.command; }
  // Where the commands of later starts arrive, once EndsHere has said that the program runs.
  platform::win32::Win32ProgramInstance& Instance() { return *instance_; }

 private:
  CommandLine line_;
  std::optional<platform::win32::Win32ProgramInstance> instance_;
};

}  // namespace fondex
