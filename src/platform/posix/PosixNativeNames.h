#pragma once

#include "platform/NativeNames.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/ProgramFolder.h"

namespace fondex::platform::posix {

// POSIX paths for the program's drive paths, through the drive mapping of the platform directory.
class PosixNativeNames : public NativeNames {
 public:
  explicit PosixNativeNames(const PathMapper& paths) : paths_(paths) {}

  std::optional<std::string> ToNative(std::string_view programName) const override {
    return paths_.ToPosix(programName);
  }
  std::string ToProgram(std::string_view nativeName) const override {
    return paths_.ToWindows(nativeName);
  }
  std::optional<std::string> HelpFileToNative(std::string_view programName) const override {
    std::optional<std::string> path = paths_.ToPosix(programName);
    if (path) {
      path = FileOrInstalledCopy(*path, OwnExecutablePath());
    }
    return path;
  }

 private:
  const PathMapper& paths_;
};

}  // namespace fondex::platform::posix
