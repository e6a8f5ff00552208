#pragma once

#include "platform/ProfileFiles.h"

namespace fondex::platform::win32 {

// The system's private-profile calls. "WIN.INI" is the system profile, which today's system
// keeps in the registry and still serves through the same calls.
class Win32ProfileFiles : public ProfileFiles {
 public:
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace fondex::platform::win32
