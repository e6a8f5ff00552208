#include "platform/posix/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <limits>
#include <memory>
#include <optional>

#include "platform/posix/Handles.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/TaskPool.h"
#include "platform/posix/Wildcard.h"

namespace fondex::platform::posix {
namespace {

constexpr std::size_t kBlockSize = 256;

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

std::unique_ptr<PendingBlock> NewBlock() {
  auto block = std::make_unique<PendingBlock>();
  block->entries.reserve(kBlockSize);
  return block;
}

// Entries whose status went missing (removed meanwhile) are left out.
std::vector<FoundEntry> Flattened(const std::vector<std::unique_ptr<PendingBlock>>& blocks) {
  std::vector<FoundEntry> entries;
  entries.reserve(blocks.size() * kBlockSize);
  for (const auto& block : blocks) {
    for (std::size_t i = 0; i < block->entries.size(); ++i) {
      if (block->found[i]) {
        entries.push_back(std::move(block->entries[i]));
      }
    }
  }
  return entries;
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

}  // namespace

std::uint32_t AttributesOf(const struct stat& status, std::string_view name) {
  std::uint32_t attributes = 0;
  if (S_ISDIR(status.st_mode)) {
    attributes |= kDirectory;
  } else if (S_ISREG(status.st_mode)) {
    attributes |= kArchive;
  }
  if ((status.st_mode & S_IWUSR) == 0) {
    attributes |= kReadOnly;
  }
  if (name.starts_with('.')) {
    attributes |= kHidden;
  }
  return attributes;
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
  if (const auto status = StatusAt(AT_FDCWD, path.c_str())) {
    return {FoundEntry{std::string(name), AttributesOf(*status, NameForAttributes(name))}};
  }
  return Scan(name, 1);
}

// A backslash cannot appear in a Windows-shaped name, so such an entry cannot be reached.
bool DirectoryListing::Lists(std::string_view name) const {
  return name.find('\\') == std::string_view::npos && (hasDotEntries_ || !IsDotEntry(name));
}

// Reading the status of each entry costs far more than reading the directory: entries go in
// blocks to helper threads while the directory is still being read.
std::vector<FoundEntry> DirectoryListing::Scan(std::string_view pattern, std::size_t limit) const {
  const int fd = ::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return {};
  }
  const DirectoryHandle dir(::fdopendir(fd));
  if (!dir) {
    ::close(fd);
    return {};
  }
  std::vector<std::unique_ptr<PendingBlock>> blocks;
  blocks.push_back(NewBlock());
  TaskPool pool(TaskPool::HelpersForThisMachine());
  std::size_t count = 0;
  while (const dirent* entry = count < limit ? ::readdir(dir.get()) : nullptr) {
    const std::string_view name = entry->d_name;
    if (!Lists(name) || !MatchesPattern(pattern, name)) {
      continue;
    }
    blocks.back()->entries.push_back(FoundEntry{std::string(name), 0});
    ++count;
    if (blocks.back()->entries.size() == kBlockSize) {
      pool.Post([this, fd, block = blocks.back().get()] { ReadAttributes(fd, *block); });
      blocks.push_back(NewBlock());
    }
  }
  ReadAttributes(fd, *blocks.back());
  pool.Finish();
  return Flattened(blocks);
}

void DirectoryListing::ReadAttributes(int directoryFd, PendingBlock& block) const {
  block.found.resize(block.entries.size());
  for (std::size_t i = 0; i < block.entries.size(); ++i) {
    FoundEntry& entry = block.entries[i];
    if (const auto status = StatusAt(directoryFd, entry.name.c_str())) {
      entry.attributes = AttributesOf(*status, NameForAttributes(entry.name));
      block.found[i] = true;
    }
  }
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
