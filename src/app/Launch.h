#pragma once

#include <optional>

#include "mainwindow/CommandLine.h"
#include "platform/posix/PosixProgramInstance.h"

namespace fondex {

// The command line, answered before anything else starts: --help, --version and a wrong option
// end the process at once; otherwise the program runs only when no copy runs in its folder yet,
// and a later start hands its command to that copy and ends.
class Launch {
 public:
  Launch(int argc, char** argv);

  // The exit status when this process ends here; nothing when it runs the program.
  std::optional<int> EndsHere();

  // The command of this start, its file name Windows-shaped; run once start-up is over.
  const LaunchCommand& Command() const { return line_.command; }
  // Where the commands of later starts arrive, once EndsHere has said that the program runs.
  platform::ProgramInstance& Instance() { return *instance_; }

 private:
  CommandLine line_;
  std::optional<platform::posix::PosixProgramInstance> instance_;
};

}  // namespace fondex
