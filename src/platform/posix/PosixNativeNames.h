#pragma once

#include "platform/NativeNames.h"
#include "platform/posix/PathMapper.h"

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

 private:
  const PathMapper& paths_;
};

}  // namespace fondex::platform::posix
