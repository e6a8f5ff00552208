#include "platform/pictures/BitmapHeader.h"

#include "platform/pictures/PictureReader.h"

namespace fondex::platform::posix {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaskBytes = 12;

std::uint32_t Read16(std::string_view file, std::size_t at) {
  return static_cast<std::uint8_t>(file[at]) | static_cast<std::uint8_t>(file[at + 1]) << 8;
}

std::uint32_t Read32(std::string_view file, std::size_t at) {
  return Read16(file, at) | Read16(file, at + 2) << 16;
}

bool IsSupportedHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
         size == 108 || size == 124;
}

// The fields every header version has, widened so that no value can overflow.
struct DibFields {
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
};

DibFields ReadDibFields(std::string_view file, std::uint32_t headerSize) {
  if (headerSize == kCoreHeaderSize) {
    return {.width = Read16(file, 18),
            .height = Read16(file, 20),
            .planes = Read16(file, 22),
            .bitCount = Read16(file, 24)};
  }
  return {.width = static_cast<std::int32_t>(Read32(file, 18)),
          .height = static_cast<std::int32_t>(Read32(file, 22)),
          .planes = Read16(file, 26),
          .bitCount = Read16(file, 28),
          .compression = Read32(file, 30),
          .imageSize = Read32(file, 34),
          .colorsUsed = Read32(file, 46)};
}

bool BitCountAllowed(std::uint32_t bitCount, std::uint32_t headerSize) {
  const bool always = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
  return always || (headerSize != kCoreHeaderSize && (bitCount == 16 || bitCount == 32));
}

// Run-length data is always stored bottom-up.
bool CompressionFits(std::uint32_t compression, std::uint32_t bitCount, bool topDown) {
  switch (compression) {
    case kBiRgb:
      return true;
    case kBiRle8:
      return bitCount == 8 && !topDown;
    case kBiRle4:
      return bitCount == 4 && !topDown;
    case kBiBitFields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

bool IsRunLength(std::uint32_t compression) {
  return compression == kBiRle8 || compression == kBiRle4;
}

// Rows are padded to whole 32-bit words.
std::uint64_t UncompressedSize(std::int64_t width, std::int64_t height, std::uint32_t bitCount) {
  const auto rowBytes = static_cast<std::uint64_t>((width * bitCount + 31) / 32 * 4);
  return rowBytes * static_cast<std::uint64_t>(height);
}

}  // namespace

std::optional<BitmapLayout> ReadBitmapLayout(std::string_view file) {
  return ReadBitmapLayout(file, file.size());
}

std::optional<BitmapLayout> ReadBitmapLayout(std::string_view file, std::uint64_t fileSize) {
  if (file.size() < kFileHeaderSize + 4 || !file.starts_with("BM")) {
    return std::nullopt;
  }
  const std::uint32_t headerSize = Read32(file, kFileHeaderSize);
  if (!IsSupportedHeaderSize(headerSize) || file.size() < kFileHeaderSize + headerSize) {
    return std::nullopt;
  }
  const DibFields fields = ReadDibFields(file, headerSize);
  const bool topDown = fields.height < 0;
  const std::int64_t height = topDown ? -fields.height : fields.height;
  if (fields.width < 1 || fields.width > kMaxPictureSide || height < 1 ||
      height > kMaxPictureSide || fields.planes != 1 ||
      !BitCountAllowed(fields.bitCount, headerSize) ||
      !CompressionFits(fields.compression, fields.bitCount, topDown)) {
    return std::nullopt;
  }
  const std::uint32_t maxColors = fields.bitCount <= 8 ? 1u << fields.bitCount : 0;
  const std::uint32_t colorCount = fields.colorsUsed != 0 ? fields.colorsUsed : maxColors;
  const bool bitFields = fields.compression == kBiBitFields;
  BitmapLayout layout{
      .width = static_cast<std::int32_t>(fields.width),
      .height = static_cast<std::int32_t>(height),
      .topDown = topDown,
      .bitCount = static_cast<std::uint16_t>(fields.bitCount),
      .compression = fields.compression,
      .colorCount = colorCount,
      .paletteOffset = kFileHeaderSize + headerSize +
                       (bitFields && headerSize == kInfoHeaderSize ? kMaskBytes : 0),
      .paletteEntrySize = headerSize == kCoreHeaderSize ? 3u : 4u,
      .masksOffset = bitFields ? kFileHeaderSize + kInfoHeaderSize : 0,
      .pixelOffset = Read32(file, 10),
      .pixelSize = IsRunLength(fields.compression)
                       ? fields.imageSize
                       : UncompressedSize(fields.width, height, fields.bitCount),
  };
  const std::uint64_t paletteEnd =
      layout.paletteOffset + std::uint64_t{colorCount} * layout.paletteEntrySize;
  if ((maxColors != 0 && colorCount > maxColors) || paletteEnd > layout.pixelOffset ||
      layout.pixelSize == 0 || BitmapDataEnd(layout) > fileSize) {
    return std::nullopt;
  }
  return layout;
}

}  // namespace fondex::platform::posix
