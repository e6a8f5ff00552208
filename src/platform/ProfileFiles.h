#pragma once

#include <cstddef>
#include <string>

namespace fondex::platform {

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

  // Writes one key, keeping every other line; false when the file cannot be written.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace fondex::platform
