#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/PathMapper.h"

namespace fondex::platform::posix {

// The file system seen through Windows-shaped paths (see PathMapper for the drives).
class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(const PathMapper& paths);

  std::vector<FoundEntry> FindEntries(const std::string& pattern) override;
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override;
  std::optional<std::string> GetFullPathName(const std::string& name) override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::string GetCurrentDirectory() override;
  // Refuses directories and read-only files, as the program's own system does.
  bool DeleteFile(const std::string& path) override;
  std::optional<DiskFreeSpace> GetDiskFreeSpace(const std::string& root) override;
  std::string ExecutablePath() override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;

  // POSIX path of a Windows-shaped name, expanded against the current directory first.
  std::optional<std::string> PosixPathOf(const std::string& name);
  // Like PosixPathOf, for a name without wildcards.
  std::optional<std::string> PosixPathOfEntry(const std::string& name);

 private:
  const PathMapper& paths_;
  // The current directory as the program named it; the process's working directory is the
  // authority, this name only keeps the program's spelling of it, and stays when the working
  // directory is deleted. Empty when the program started in a deleted directory: then nothing
  // relative expands.
  std::string currentDirectory_;
};

}  // namespace fondex::platform::posix
