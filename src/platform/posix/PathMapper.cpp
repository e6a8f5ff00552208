#include "platform/posix/PathMapper.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/posix/AsciiCase.h"
#include "platform/posix/Handles.h"
#include "platform/posix/WindowsPath.h"

namespace fondex::platform::posix {
namespace {

constexpr char kFirstLinkedDrive = 'd';
constexpr char kLastDrive = 'z';

bool EntryExists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

std::optional<std::string> RealDirectory(const std::string& path) {
  const MallocText real(::realpath(path.c_str(), nullptr));
  struct stat status {};
  if (!real || ::stat(real.get(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return std::nullopt;
  }
  return std::string(real.get());
}

// "." and ".." and repeated slashes folded; the result starts with "/".
std::string LexicallyNormal(std::string_view absolute) {
  std::vector<std::string_view> parts;
  FoldComponents(absolute, '/', parts);
  std::string result;
  for (std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result.empty() ? "/" : result;
}

// The part of a normal path below a root, or nothing when the root does not hold it.
std::optional<std::string_view> BelowRoot(std::string_view path, std::string_view root) {
  if (root == "/") {
    return path.substr(1);
  }
  if (path == root) {
    return std::string_view();
  }
  if (path.starts_with(root) && path[root.size()] == '/') {
    return path.substr(root.size() + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProcessWorkingDirectory() {
  const MallocText cwd(::getcwd(nullptr, 0));
  return cwd ? std::optional<std::string>(cwd.get()) : std::nullopt;
}

std::string JoinPosix(std::string_view directory, std::string_view name) {
  std::string joined(directory);
  if (!joined.ends_with('/')) {
    joined += '/';
  }
  joined += name;
  return joined;
}

std::string ResolveEntryName(const std::string& directory, std::string_view name) {
  if (EntryExists(JoinPosix(directory, name))) {
    return std::string(name);
  }
  const DirectoryHandle dir(::opendir(directory.c_str()));
  if (!dir) {
    return std::string(name);
  }
  while (const dirent* entry = ::readdir(dir.get())) {
    if (EqualsIgnoringAsciiCase(entry->d_name, name)) {
      return entry->d_name;
    }
  }
  return std::string(name);
}

PathMapper::PathMapper(std::string platformDirectory)
    : platformDirectory_(std::move(platformDirectory)) {}

std::optional<std::string> PathMapper::DriveRoot(char letter) const {
  const char drive = AsciiLower(letter);
  if (drive == 'c') {
    return "/";
  }
  if (drive < kFirstLinkedDrive || drive > kLastDrive) {
    return std::nullopt;
  }
  return RealDirectory(JoinPosix(platformDirectory_, std::string{drive, ':'}));
}

std::optional<std::string> PathMapper::ToPosix(std::string_view windowsPath) const {
  const std::string path = WithBackslashes(windowsPath);
  if (!HasDriveLetter(path) || path.size() < 3 || path[2] != '\\') {
    return std::nullopt;
  }
  std::optional<std::string> posix = DriveRoot(path[0]);
  if (!posix) {
    return std::nullopt;
  }
  const std::optional<std::string> folded = ExpandFullPath(path, path.substr(0, 3));
  std::string_view rest = std::string_view(*folded).substr(3);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\\'), rest.size());
    *posix = JoinPosix(*posix, ResolveEntryName(*posix, rest.substr(0, end)));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return posix;
}

std::string PathMapper::ToWindows(std::string_view posixPath) const {
  const std::string normal = LexicallyNormal(
      posixPath.starts_with('/') ? std::string(posixPath)
                                 : JoinPosix(ProcessWorkingDirectory().value_or("/"), posixPath));
  char drive = 'C';
  std::string_view below = std::string_view(normal).substr(1);
  std::size_t deepest = 1;
  for (char letter = kFirstLinkedDrive; letter <= kLastDrive; ++letter) {
    const std::optional<std::string> root = DriveRoot(letter);
    if (!root || root->size() <= deepest) {
      continue;
    }
    if (const auto part = BelowRoot(normal, *root)) {
      drive = static_cast<char>(letter - 'a' + 'A');
      below = *part;
      deepest = root->size();
    }
  }
  return std::string{drive, ':', '\\'} + WithBackslashes(below);
}

std::string PathMapper::FromUser(std::string_view name) const {
  if (name.empty() || (HasDriveLetter(name) && name.substr(2).starts_with('\\'))) {
    return std::string(name);
  }
  return ToWindows(name);
}

}  // namespace fondex::platform::posix
