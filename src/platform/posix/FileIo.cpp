#include "platform/posix/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/posix/Handles.h"

namespace fondex::platform::posix {
namespace {

constexpr int kTemporaryNameAttempts = 100;

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

// A fresh hidden file beside the target; its name is new to the directory (O_EXCL).
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const std::string directory = path.substr(0, NameStart(path));
  const std::string name = path.substr(NameStart(path));
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporaryPath = directory + '.' + name + ".new-" + std::to_string(::getpid()) + '-' +
                    std::to_string(counter++);
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

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    return std::nullopt;
  }
  std::string contents;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      return std::nullopt;
    }
    if (count == 0) {
      return contents;
    }
    contents.append(buffer, static_cast<std::size_t>(count));
  }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::optional<mode_t> oldMode;
  if (!Replaceable(path, oldMode)) {
    return false;
  }
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

}  // namespace fondex::platform::posix
