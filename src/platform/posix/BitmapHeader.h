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

// The layout of a bitmap file when its headers are sound and its palette and pixel data lie
// inside the file; nothing for any other file.
std::optional<BitmapLayout> ReadBitmapLayout(std::string_view file);

// The same from the file's first bytes (at least its headers; the palette is not needed) and
// its size.
std::optional<BitmapLayout> ReadBitmapLayout(std::string_view head, std::uint64_t fileSize);

// Bytes that hold the headers of any bitmap: file header, the largest information header and
// the colour masks that may follow the smallest one.
inline constexpr std::size_t kBitmapHeadBytes = 14 + 124 + 12;

}  // namespace fondex::platform::posix
