#pragma once

#include "platform/ProfileFiles.h"
#include "platform/posix/PosixFileSystem.h"

namespace fondex::platform::posix {

// Profile files on disk. A bare file name ("WIN.INI") names that file in the platform directory;
// any other name is a Windows-shaped path. Every call reads the file again.
class PosixProfileFiles : public ProfileFiles {
 public:
  PosixProfileFiles(PosixFileSystem& files, const PathMapper& paths);

  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize) override;

  // The file is replaced atomically: a failed write leaves the old file whole.
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  std::optional<std::string> PosixPathOf(const std::string& file);

  PosixFileSystem& files_;
  const PathMapper& paths_;
};

}  // namespace fondex::platform::posix
