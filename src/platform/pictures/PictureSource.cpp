#include "platform/pictures/PictureSource.h"

#include <algorithm>
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
  if (into.empty()) {
    return true;  // nothing to copy, maybe not even a buffer
  }
  std::memcpy(into.data(), bytes_.data() + offset, into.size());
  return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
  std::optional<RegularFile> file = RegularFile::Open(path);
  return file ? std::unique_ptr<FileSource>(new FileSource(std::move(*file))) : nullptr;
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
  if (offset > Size() || into.size() > Size() - offset) {
    return false;
  }
  if (into.empty()) {
    return true;
  }
  const std::optional<std::string> bytes = file_.ReadAt(offset, into.size());
  if (!bytes || bytes->size() != into.size()) {
    return false;
  }
  std::memcpy(into.data(), bytes->data(), into.size());
  return true;
}

}  // namespace fondex::platform::posix
