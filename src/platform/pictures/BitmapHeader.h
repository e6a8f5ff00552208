#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fondex::platform::posix {

// How a Windows bitmap file is laid out, as its headers describe it.
struct BitmapLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;  // always positive; see topDown
  bool topDown = false;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorCount = 0;        // palette entries
  std::uint32_t paletteOffset = 0;     // offsets count from the start of the file
  std::uint32_t paletteEntrySize = 0;  // 3 for the oldest header, else 4
  std::uint32_t masksOffset = 0;       // red, green and blue masks, with bit-field compression
  std::uint32_t pixelOffset = 0;
  std::uint64_t pixelSize = 0;  // bytes of pixel data from pixelOffset
};

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitFields = 3;

// The file header and the largest information header: all that a layout is read from.
inline constexpr std::size_t kBitmapHeadSize = 14 + 124;

// The layout of a bitmap file when its headers are sound and its palette and pixel data lie
// inside the file; nothing for any other file.
std::optional<BitmapLayout> ReadBitmapLayout(std::string_view file);

// The same from the file's first kBitmapHeadSize bytes (all of it when it is shorter) and its
// size, for a file that is not read whole.
std::optional<BitmapLayout> ReadBitmapLayout(std::string_view head, std::uint64_t fileSize);

// Where the pixel data ends: nothing of the bitmap lies beyond it.
inline std::uint64_t BitmapDataEnd(const BitmapLayout& layout) {
  return std::uint64_t{layout.pixelOffset} + layout.pixelSize;
}

}  // namespace fondex::platform::posix
