#include "platform/posix/PictureSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fondex::platform::posix {

std::size_t ByteSource::ReadSome(std::uint64_t offset, std::span<std::uint8_t> into) {
  if (offset >= Size()) {
    return 0;
  }
  const auto count =
      static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), Size() - offset));
  return ReadAt(offset, into.first(count)) ? count : 0;
}

bool MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
  if (offset > bytes_.size() || into.size() > bytes_.size() - offset) {
    return false;
  }
  std::memcpy(into.data(), bytes_.data() + offset, into.size());
  return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return nullptr;
  }
  std::unique_ptr<FileSource> source(new FileSource(fd, 0));
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    return nullptr;
  }
  source->size_ = static_cast<std::uint64_t>(status.st_size);
  return source;
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
  if (offset > size_ || into.size() > size_ - offset) {
    return false;
  }
  while (!into.empty()) {
    const ssize_t count = ::pread(fd_.Get(), into.data(), into.size(), static_cast<off_t>(offset));
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return false;
    }
    into = into.subspan(static_cast<std::size_t>(count));
    offset += static_cast<std::uint64_t>(count);
  }
  return true;
}

}  // namespace fondex::platform::posix
