#include "platform/pictures/BitmapFile.h"

namespace fondex::platform::posix {

std::optional<BitmapLayout> ReadBitmapFileLayout(const RegularFile& file) {
  const auto head = file.ReadAt(0, kBitmapHeadSize);
  const auto layout = head ? ReadBitmapLayout(*head, file.Size()) : std::nullopt;
  if (!layout || BitmapDataEnd(*layout) > kMaxBitmapFileSize) {
    return std::nullopt;
  }
  return layout;
}

std::optional<std::string> ReadBitmapBytes(const RegularFile& file) {
  const auto layout = ReadBitmapFileLayout(file);
  if (!layout) {
    return std::nullopt;
  }
  const std::uint64_t end = BitmapDataEnd(*layout);
  auto bytes = file.ReadAt(0, static_cast<std::size_t>(end));
  // A file cut short since its size was read is no longer the bitmap its headers describe.
  if (!bytes || bytes->size() != end) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> ReadBitmapFile(const std::string& path) {
  const auto file = RegularFile::Open(path);
  return file ? ReadBitmapBytes(*file) : std::nullopt;
}

bool IsLoadableBitmapFile(const std::string& path) {
  const auto file = RegularFile::Open(path);
  return file && ReadBitmapFileLayout(*file).has_value();
}

}  // namespace fondex::platform::posix
