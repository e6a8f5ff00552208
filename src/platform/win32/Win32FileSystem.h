#pragma once

#include "platform/FileSystem.h"

namespace fondex::platform::win32 {

// The file system through the system's own calls: names are native, drive letters, case,
// attributes and volumes are the system's.
class Win32FileSystem : public FileSystem {
 public:
  std::vector<FoundEntry> FindEntries(const std::string& pattern) override;
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  std::optional<std::string> GetFullPathName(const std::string& name) override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  bool DeleteFile(const std::string& path) override;
  std::optional<DiskFreeSpace> GetDiskFreeSpace(const std::string& root) override;
  std::string ExecutablePath() override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  // Written beside the file, flushed, then moved over it in one step.
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
};

}  // namespace fondex::platform::win32
