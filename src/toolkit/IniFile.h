#pragma once

#include <cstddef>
#include <string>

#include "platform/ProfileFiles.h"

namespace fondex::toolkit {

// An accessor of one profile (INI) file.
class IniFile {
 public:
  static constexpr std::size_t kDefaultBufferSize = 2048;

  IniFile(platform::ProfileFiles& profiles, std::string fileName)
      : profiles_(profiles), fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue,
                         std::size_t bufferSize = kDefaultBufferSize) const {
    return profiles_.GetString(fileName_, section, key, defaultValue, bufferSize);
  }

  // Raises Error "Unable to write to <file>" when the key cannot be written.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) const;

 private:
  platform::ProfileFiles& profiles_;
  std::string fileName_;
};

}  // namespace fondex::toolkit
