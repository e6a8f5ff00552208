#include "platform/posix/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <string>
#include <vector>

#include "platform/posix/Handles.h"

namespace fondex::platform::posix {
namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr int kMaxLinksFollowed = 40;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Where the file's own name starts in its path.
std::size_t NameStart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string DirectoryOf(const std::string& path) {
  return NameStart(path) == 0 ? "." : path.substr(0, NameStart(path));
}

// A temporary file beside a file is named ".NAME.new-PID-N".
std::string TemporaryNamePrefix(const std::string& path) {
  return '.' + path.substr(NameStart(path)) + ".new-";
}

// The file a path finally names: each symbolic link is followed, the last one even when its
// target does not exist yet, so that a replacement lands where the link points and the link
// stays. Nothing for a loop of links.
std::optional<std::string> FinalTarget(std::string path) {
  for (int link = 0; link < kMaxLinksFollowed; ++link) {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) {
      return path;
    }
    target.resize(static_cast<std::size_t>(length));
    path = target.starts_with('/') ? target : path.substr(0, NameStart(path)) + target;
  }
  return std::nullopt;
}

// The PID in the name of a temporary file, when the name has that shape.
std::optional<pid_t> TemporaryFileOwner(std::string_view entry, std::string_view prefix) {
  if (!entry.starts_with(prefix)) {
    return std::nullopt;
  }
  entry.remove_prefix(prefix.size());
  const std::size_t dash = entry.find('-');
  pid_t pid = 0;
  const auto [end, error] =
      std::from_chars(entry.data(), entry.data() + std::min(dash, entry.size()), pid);
  if (error != std::errc() || end != entry.data() + dash || pid <= 0) {
    return std::nullopt;
  }
  return pid;
}

// Removes the temporary files that processes killed in the middle of a save left beside a file.
void RemoveStaleTemporaryFiles(const std::string& path) {
  const std::string prefix = TemporaryNamePrefix(path);
  const DirectoryHandle directory(::opendir(DirectoryOf(path).c_str()));
  if (!directory) {
    return;
  }
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(directory.get())) {
    const auto owner = TemporaryFileOwner(entry->d_name, prefix);
    if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH) {
      stale.push_back(path.substr(0, NameStart(path)) + entry->d_name);
    }
  }
  for (const std::string& name : stale) {
    ::unlink(name.c_str());
  }
}

// A fresh hidden file beside the target; its name is new to the directory (O_EXCL).
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = path.substr(0, NameStart(path)) + TemporaryNamePrefix(path);
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporaryPath = prefix + std::to_string(::getpid()) + '-' + std::to_string(counter++);
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

bool Replaceable(const std::string& path, std::optional<mode_t>& oldMode) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return errno == ENOENT;
  }
  oldMode = status.st_mode & 07777;
  return !S_ISDIR(status.st_mode) && (status.st_mode & S_IWUSR) != 0;
}

void SyncDirectory(const std::string& directory) {
  FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) {
    ::fsync(fd.Get());
  }
}

}  // namespace

std::optional<RegularFile> RegularFile::Open(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat status {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return std::nullopt;
  }
  return RegularFile(std::move(fd), static_cast<std::uint64_t>(status.st_size));
}

std::optional<std::string> RegularFile::ReadAt(std::uint64_t offset, std::size_t count) const {
  // Room grows with what is read, not with what is asked: a limit is not a size.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(count, size_)));
  char buffer[65536];
  while (bytes.size() < count) {
    const std::size_t wanted = std::min(sizeof buffer, count - bytes.size());
    const ssize_t got =
        ::pread(fd_.Get(), buffer, wanted, static_cast<off_t>(offset + bytes.size()));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return std::nullopt;
    }
    if (got == 0) {
      break;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

std::optional<std::string> RegularFile::ReadUpTo(std::size_t limit) const {
  // One byte past the limit tells a file that ends there from a longer one, whatever its size
  // said when it was opened.
  auto bytes = ReadAt(0, limit + 1);
  if (!bytes || bytes->size() > limit) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
  const auto file = RegularFile::Open(path);
  return file ? file->ReadUpTo(limit) : std::nullopt;
}

bool WriteFileAtomically(const std::string& name, std::string_view bytes) {
  const std::optional<std::string> target = FinalTarget(name);
  std::optional<mode_t> oldMode;
  if (!target || !Replaceable(*target, oldMode)) {
    return false;
  }
  const std::string& path = *target;
  RemoveStaleTemporaryFiles(path);
  std::string temporaryPath;
  FileDescriptor fd(CreateTemporaryBeside(path, temporaryPath));
  if (fd.Get() < 0) {
    return false;
  }
  bool written = WriteAll(fd.Get(), bytes) && (!oldMode || ::fchmod(fd.Get(), *oldMode) == 0) &&
                 ::fsync(fd.Get()) == 0;
  written = fd.Close() && written;
  if (!written || ::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(path));
  return true;
}

std::optional<std::string> ReadFileToRewrite(const std::string& path, std::size_t limit) {
  if (auto text = ReadRegularFile(path, limit)) {
    return text;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 && errno == ENOENT) {
    return std::string();
  }
  return std::nullopt;
}

bool CanReplaceFile(const std::string& name, std::size_t size) {
  const std::optional<std::string> target = FinalTarget(name);
  std::optional<mode_t> oldMode;
  if (!target || !Replaceable(*target, oldMode)) {
    return false;
  }
  std::string temporaryPath;
  FileDescriptor fd(CreateTemporaryBeside(*target, temporaryPath));
  if (fd.Get() < 0) {
    return false;
  }
  const bool room = size == 0 || ::posix_fallocate(fd.Get(), 0, static_cast<off_t>(size)) == 0;
  const bool kept = ::fsync(fd.Get()) == 0 && fd.Close() && room;
  ::unlink(temporaryPath.c_str());
  return kept;
}

}  // namespace fondex::platform::posix
