#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fondex::platform {

// A section, key or value that holds a line end or a NUL byte would write lines of its own into
// the file, or cut the entry short: profile writes refuse it.
inline bool StaysOnItsLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Private-profile (INI) files. A bare file name such as "WIN.INI" names the system profile;
// any other name is a Windows-shaped path.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // Value of one key, or the default when the file, section or key is absent; the result holds
  // at most bufferSize - 1 bytes.
  virtual std::string GetString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& defaultValue,
                                std::size_t bufferSize) = 0;

  // Writes one key, keeping every other line; false when the file cannot be written, or when the
  // section, key or value would not stay on its line (nothing is written then).
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace fondex::platform
