#include "platform/posix/PosixFileSystem.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <limits>

#include "platform/posix/DirectoryListing.h"
#include "platform/posix/FileIo.h"
#include "platform/posix/Wildcard.h"
#include "platform/posix/WindowsPath.h"

namespace fondex::platform::posix {
namespace {

constexpr std::uint32_t kBytesPerSector = 512;
constexpr std::uint64_t kMaxFigure = std::numeric_limits<std::uint32_t>::max();

bool SameEntry(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The name the system keeps for a current directory: no trailing backslash but at the root.
std::string WithoutTrailingSeparator(std::string path) {
  if (path.size() > 3 && path.ends_with('\\')) {
    path.pop_back();
  }
  return path;
}

// Block counts can exceed the 32-bit fields: clusters grow by powers of two until they fit.
DiskFreeSpace ScaledFigures(const struct statvfs& volume) {
  const std::uint64_t unit = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
  std::uint64_t sectorSize = kBytesPerSector;
  std::uint64_t sectorsPerCluster = unit / kBytesPerSector;
  if (unit % kBytesPerSector != 0 || sectorsPerCluster == 0) {
    sectorSize = unit;
    sectorsPerCluster = 1;
  }
  std::uint64_t total = volume.f_blocks;
  std::uint64_t free = volume.f_bavail;
  while (total > kMaxFigure && sectorsPerCluster <= kMaxFigure / 2) {
    sectorsPerCluster *= 2;
    total /= 2;
    free /= 2;
  }
  return DiskFreeSpace{
      .sectorsPerCluster = static_cast<std::uint32_t>(sectorsPerCluster),
      .bytesPerSector = static_cast<std::uint32_t>(std::min(sectorSize, kMaxFigure)),
      .freeClusters = static_cast<std::uint32_t>(std::min(free, kMaxFigure)),
      .totalClusters = static_cast<std::uint32_t>(std::min(total, kMaxFigure)),
  };
}

}  // namespace

PosixFileSystem::PosixFileSystem(const PathMapper& paths) : paths_(paths) {
  if (const auto working = ProcessWorkingDirectory()) {
    currentDirectory_ = paths_.ToWindows(*working);
  }
}

std::vector<FoundEntry> PosixFileSystem::FindEntries(const std::string& pattern) {
  const SearchPattern search = SplitSearchPattern(pattern);
  const auto directory = GetFullPathName(search.directory.empty() ? "." : search.directory);
  if (search.name.empty() || !directory) {
    return {};
  }
  const auto posixDirectory = paths_.ToPosix(*directory);
  if (!posixDirectory) {
    return {};
  }
  const DirectoryListing listing(*posixDirectory, !IsDriveRoot(*directory));
  return HasWildcards(search.name) ? listing.Matching(search.name) : listing.Named(search.name);
}

std::optional<std::uint32_t> PosixFileSystem::GetAttributes(const std::string& path) {
  const auto full = HasWildcards(path) ? std::nullopt : GetFullPathName(path);
  const auto posix = full ? paths_.ToPosix(*full) : std::nullopt;
  struct stat status {};
  if (!full || !posix || ::stat(posix->c_str(), &status) != 0) {
    return std::nullopt;
  }
  const std::size_t slash = posix->rfind('/');
  return AttributesOf(status, IsDriveRoot(*full) ? "" : posix->substr(slash + 1));
}

std::optional<std::string> PosixFileSystem::GetFullPathName(const std::string& name) {
  return ExpandFullPath(name, GetCurrentDirectory());
}

bool PosixFileSystem::SetCurrentDirectory(const std::string& path) {
  const auto full = GetFullPathName(path);
  const auto posix = PosixPathOfEntry(path);
  if (!full || !posix || ::chdir(posix->c_str()) != 0) {
    return false;
  }
  currentDirectory_ = WithoutTrailingSeparator(*full);
  return true;
}

std::string PosixFileSystem::GetCurrentDirectory() {
  const auto posix = paths_.ToPosix(currentDirectory_);
  if (!posix || !SameEntry(*posix, ".")) {
    // A working directory deleted since it was set has no name left: names keep being expanded
    // against the one it was set by, where they are then not found, never against another.
    if (const auto working = ProcessWorkingDirectory()) {
      currentDirectory_ = paths_.ToWindows(*working);
    }
  }
  return currentDirectory_;
}

bool PosixFileSystem::DeleteFile(const std::string& path) {
  const auto attributes = GetAttributes(path);
  const auto posix = PosixPathOfEntry(path);
  return attributes && posix && (*attributes & (kDirectory | kReadOnly)) == 0 &&
         ::unlink(posix->c_str()) == 0;
}

std::optional<DiskFreeSpace> PosixFileSystem::GetDiskFreeSpace(const std::string& root) {
  const std::string drive = WithBackslashes(root);
  const auto posix = IsDriveRoot(drive) ? paths_.DriveRoot(drive[0]) : std::nullopt;
  struct statvfs volume {};
  if (!posix || ::statvfs(posix->c_str(), &volume) != 0) {
    return std::nullopt;
  }
  return ScaledFigures(volume);
}

std::string PosixFileSystem::ExecutablePath() {
  std::string target(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
  target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return paths_.ToWindows(target);
}

std::optional<std::string> PosixFileSystem::ReadFile(const std::string& path) {
  const auto posix = PosixPathOfEntry(path);
  return posix ? ReadRegularFile(*posix) : std::nullopt;
}

bool PosixFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const auto posix = PosixPathOfEntry(path);
  return posix && WriteFileAtomically(*posix, bytes);
}

std::optional<std::string> PosixFileSystem::PosixPathOf(const std::string& name) {
  const auto full = GetFullPathName(name);
  return full ? paths_.ToPosix(*full) : std::nullopt;
}

std::optional<std::string> PosixFileSystem::PosixPathOfEntry(const std::string& name) {
  return HasWildcards(name) ? std::nullopt : PosixPathOf(name);
}

}  // namespace fondex::platform::posix
