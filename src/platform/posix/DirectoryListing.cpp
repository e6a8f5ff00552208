#include "platform/posix/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>

#include <limits>

#include "platform/posix/Handles.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/Wildcard.h"

namespace fondex::platform::posix {
namespace {

std::string_view LastComponent(std::string_view path) {
  while (path.size() > 1 && path.ends_with('/')) {
    path.remove_suffix(1);
  }
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ParentOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string_view::npos ? "/" : path.substr(0, slash);
}

bool IsDotEntry(std::string_view name) {
  return name == "." || name == "..";
}

// Status of the entry a link points to, or of the link itself when it leads nowhere.
std::optional<struct stat> StatusAt(int directoryFd, const char* name) {
  struct stat status {};
  if (::fstatat(directoryFd, name, &status, 0) == 0 ||
      ::fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
    return status;
  }
  return std::nullopt;
}

std::uint32_t TypeAttributes(mode_t mode) {
  if (S_ISDIR(mode)) {
    return kDirectory;
  }
  if (S_ISREG(mode)) {
    return kArchive;
  }
  return 0;
}

std::uint32_t HiddenAttribute(std::string_view name) {
  return name.starts_with('.') ? std::uint32_t{kHidden} : 0;
}

}  // namespace

std::uint32_t AttributesOf(const struct stat& status, std::string_view name) {
  const std::uint32_t readOnly = (status.st_mode & S_IWUSR) == 0 ? std::uint32_t{kReadOnly} : 0;
  return TypeAttributes(status.st_mode) | HiddenAttribute(name) | readOnly;
}

std::optional<std::uint32_t> TypeAttributesAt(int directoryFd, const char* name,
                                              unsigned char type) {
  if (type != DT_UNKNOWN && type != DT_LNK) {
    return TypeAttributes(DTTOIF(type));
  }
  const auto status = StatusAt(directoryFd, name);
  return status ? std::optional(TypeAttributes(status->st_mode)) : std::nullopt;
}

DirectoryListing::DirectoryListing(std::string directory, bool hasDotEntries)
    : directory_(std::move(directory)), hasDotEntries_(hasDotEntries) {}

std::vector<FoundEntry> DirectoryListing::Matching(std::string_view pattern) const {
  return Scan(pattern, std::numeric_limits<std::size_t>::max());
}

std::vector<FoundEntry> DirectoryListing::Named(std::string_view name) const {
  if (!Lists(name)) {
    return {};
  }
  const std::string path = JoinPosix(directory_, name);
  if (const auto attributes = AttributesAt(AT_FDCWD, path.c_str(), name, DT_UNKNOWN)) {
    return {FoundEntry{std::string(name), *attributes}};
  }
  return Scan(name, 1);
}

// A backslash cannot appear in a Windows-shaped name, so such an entry cannot be reached.
bool DirectoryListing::Lists(std::string_view name) const {
  return name.find('\\') == std::string_view::npos && (hasDotEntries_ || !IsDotEntry(name));
}

std::vector<FoundEntry> DirectoryListing::Scan(std::string_view pattern, std::size_t limit) const {
  const DirectoryHandle dir(::opendir(directory_.c_str()));
  if (!dir) {
    return {};
  }
  std::vector<FoundEntry> entries;
  std::size_t count = 0;
  while (const dirent* entry = count < limit ? ::readdir(dir.get()) : nullptr) {
    const std::string_view name = entry->d_name;
    if (!Lists(name) || !MatchesPattern(pattern, name)) {
      continue;
    }
    ++count;
    // "." and ".." stand for other directories: their status tells what those are.
    const unsigned char type =
        IsDotEntry(name) ? static_cast<unsigned char>(DT_UNKNOWN) : entry->d_type;
    // An entry whose status is needed but gone (removed meanwhile) is left out.
    if (const auto attributes = AttributesAt(::dirfd(dir.get()), entry->d_name, name, type)) {
      entries.push_back(FoundEntry{std::string(name), *attributes});
    }
  }
  return entries;
}

std::optional<std::uint32_t> DirectoryListing::AttributesAt(int directoryFd, const char* at,
                                                            std::string_view name,
                                                            unsigned char type) const {
  const auto attributes = TypeAttributesAt(directoryFd, at, type);
  return attributes ? std::optional(*attributes | HiddenAttribute(NameForAttributes(name)))
                    : std::nullopt;
}

// "." and ".." carry the attributes of the directories they stand for, hidden bit included.
std::string_view DirectoryListing::NameForAttributes(std::string_view name) const {
  if (name == ".") {
    return LastComponent(directory_);
  }
  if (name == "..") {
    return LastComponent(ParentOf(directory_));
  }
  return name;
}

}  // namespace fondex::platform::posix
