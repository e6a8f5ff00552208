#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform {

// The program's names are Windows-shaped ("c:\images\mer.bmp"); the system's own windows (file
// dialogs, drops, the help viewer) show and give the system's names. This converts between the
// two; where the system's names are the program's, both ways are the identity.
class NativeNames {
 public:
  virtual ~NativeNames() = default;
  // The system's name of a full Windows-shaped path; nothing when it has none.
  virtual std::optional<std::string> ToNative(std::string_view programName) const = 0;
  // The program's name of a system name; a relative one is taken against the working directory.
  virtual std::string ToProgram(std::string_view nativeName) const = 0;
};

}  // namespace fondex::platform
