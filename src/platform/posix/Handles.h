#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace fondex::platform::posix {

// Owners of system handles, released when they go out of scope.

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    FileDescriptor old(std::exchange(fd_, std::exchange(other.fd_, -1)));
    return *this;
  }

  int Get() const { return fd_; }
  // Closes now, so that a failing close can be seen.
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

struct DirectoryCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

struct MallocFree {
  void operator()(char* text) const { std::free(text); }
};
using MallocText = std::unique_ptr<char, MallocFree>;

}  // namespace fondex::platform::posix
