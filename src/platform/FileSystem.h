#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fondex::platform {

// File attribute bits as the file system reports them.
enum Attribute : std::uint32_t {
  kReadOnly = 0x01,
  kHidden = 0x02,
  kSystem = 0x04,
  kVolumeLabel = 0x08,
  kDirectory = 0x10,
  kArchive = 0x20,
};

struct FoundEntry {
  std::string name;  // name only, without its directory
  std::uint32_t attributes = 0;
};

struct DiskFreeSpace {
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
};

// The file system as the program sees it. Paths are Windows-shaped ("c:\images\mer.bmp"),
// backslash only; an implementation maps them to its own system.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Raw directory search: every entry matching the pattern ("*" and "?" wildcards, ASCII
  // case ignored) in the system's order; empty when nothing matches or the search fails.
  // No attribute filtering happens here. An entry carries its directory, hidden, system and
  // volume-label bits, and archive for a regular file; read-only is not reported by a search:
  // GetAttributes tells it.
  virtual std::vector<FoundEntry> FindEntries(const std::string& pattern) = 0;

  // Attributes of one entry; nothing when it cannot be read.
  virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;

  // Full-path expansion against the process's current directory; nothing on failure.
  virtual std::optional<std::string> GetFullPathName(const std::string& name) = 0;

  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  virtual std::string GetCurrentDirectory() = 0;
  virtual bool DeleteFile(const std::string& path) = 0;

  // Free-space figures of a drive root such as "C:\"; nothing when the drive is unusable.
  virtual std::optional<DiskFreeSpace> GetDiskFreeSpace(const std::string& root) = 0;

  // The executable's own full path, Windows-shaped.
  virtual std::string ExecutablePath() = 0;

  // Whole contents of a file; nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;

  // Replaces a file's contents atomically: on failure the old file stays whole.
  virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace fondex::platform
