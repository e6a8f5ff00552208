#include "app/Launch.h"

#include <iostream>

#include "platform/posix/PosixPlatform.h"

namespace fondex {

namespace {

// The name as the running copy would have it typed: relative names are the caller's, and only
// this process knows the caller's working directory.
CommandLine WithWindowsName(CommandLine line) {
  if (line.command.action == LaunchAction::kSet) {
    const platform::posix::PathMapper paths(platform::posix::PlatformDirectoryFromEnvironment());
    line.command.file = paths.FromUser(line.command.file);
  }
  return line;
}

}  // namespace

Launch::Launch(int argc, char** argv)
    : line_(WithWindowsName(ParseCommandLine({argv + 1, argv + argc}))) {
  line_.command.activationToken = platform::posix::LauncherTokenFromEnvironment();
}

std::optional<int> Launch::EndsHere() {
  if (!line_.exit) {
    instance_.emplace(platform::posix::ProgramDirectory());
    line_.exit = EndOfLaterStart(*instance_, line_.command);
  }
  if (!line_.exit) {
    return std::nullopt;
  }
  std::cout << line_.exit->output;
  std::cerr << line_.exit->error;
  return line_.exit->status;
}

}  // namespace fondex
