#include "util/Paths.h"

#include <algorithm>
#include <limits>

namespace fondex::util {

namespace {

constexpr std::uint32_t kFilteredAttributes =
    platform::kHidden | platform::kSystem | platform::kVolumeLabel | platform::kDirectory;

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EndsWith(const std::string& text, char c) {
  return !text.empty() && text.back() == c;
}

// Total size of a drive in bytes, or -1 when its figures cannot be read. The product of three
// 32-bit figures can exceed 64 bits; it then saturates, which keeps it positive.
std::int64_t DriveSize(platform::FileSystem& files, char letter) {
  const auto space = files.GetDiskFreeSpace(std::string(1, letter) + ":\\");
  if (!space) {
    return -1;
  }
  const std::uint64_t clusterBytes =
      std::uint64_t{space->sectorsPerCluster} * std::uint64_t{space->bytesPerSector};
  std::uint64_t total = 0;
  if (__builtin_mul_overflow(clusterBytes, std::uint64_t{space->totalClusters}, &total) ||
      total > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return static_cast<std::int64_t>(total);
}

}  // namespace

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

std::string DirectoryPart(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool Admitted(std::uint32_t attributes, std::uint32_t mask) {
  return (attributes & kFilteredAttributes & ~mask) == 0;
}

bool FindsEntry(platform::FileSystem& files, const std::string& pattern, std::uint32_t mask) {
  const auto entries = files.FindEntries(pattern);
  return std::any_of(entries.begin(), entries.end(), [mask](const platform::FoundEntry& entry) {
    return Admitted(entry.attributes, mask);
  });
}

std::string WithoutTrailingBackslash(std::string text) {
  if (EndsWith(text, '\\')) {
    text.pop_back();
  }
  return text;
}

std::string WithoutDirSuffix(std::string text) {
  if (EndsWith(text, '.')) {
    text.pop_back();
  }
  return WithoutTrailingBackslash(std::move(text));
}

std::string WithDirDot(const std::string& path) {
  return EndsWith(path, '\\') ? path + "." : path + "\\.";
}

std::string NameAfterLastBackslash(const std::string& path) {
  const auto last = path.rfind('\\');
  return last == std::string::npos ? path : path.substr(last + 1);
}

bool IsValidDrive(platform::FileSystem& files, const std::string& path) {
  const std::string trimmed = WithoutDirSuffix(path);
  if (trimmed.size() != 2 || trimmed[1] != ':') {
    return false;
  }
  const char letter = UpperAscii(trimmed.front());
  // Drive numbers start at 1 for "A"; a byte below "A" names no drive.
  if (static_cast<unsigned char>(letter) < 'A') {
    return false;
  }
  return DriveSize(files, letter) > 0;
}

bool IsDirectory(platform::FileSystem& files, const std::string& path) {
  if (path.empty()) {
    return false;
  }
  // A drive root has no "." entry, so it is recognised through its volume instead.
  if (FindsEntry(files, WithDirDot(path), kMaskDirectories) || IsValidDrive(files, path)) {
    return !IsPlainFile(files, path);
  }
  return false;
}

bool IsPlainFile(platform::FileSystem& files, const std::string& path) {
  if (path.empty() || EndsWith(path, '.') || EndsWith(path, '\\')) {
    return false;
  }
  const auto entries = files.FindEntries(path);
  const bool foundFile =
      std::any_of(entries.begin(), entries.end(), [](const platform::FoundEntry& entry) {
        return (entry.attributes & platform::kDirectory) == 0;
      });
  if (!foundFile) {
    return false;
  }
  // Unreadable attributes (a pattern, or a file gone meanwhile) count as no file.
  const auto attributes = files.GetAttributes(path);
  return attributes && (*attributes & (platform::kDirectory | platform::kVolumeLabel)) == 0;
}

bool EntryExists(platform::FileSystem& files, const std::string& path, bool filesOnly) {
  return FindsEntry(files, path, filesOnly ? kMaskHiddenFiles : kMaskAnyEntry);
}

std::int32_t MaxOf(std::int32_t a, std::int32_t b) {
  return b < a ? a : b;
}

std::int32_t MinOf(std::int32_t a, std::int32_t b) {
  return b > a ? a : b;
}

}  // namespace fondex::util
