#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/posix/BitmapHeader.h"

namespace fondex::platform::posix {

// Where each colour channel sits in an output pixel word (the masks of an X visual, say); the
// other bits of the word stay 0.
struct PixelFormat {
  std::uint32_t redMask = 0xFF0000;
  std::uint32_t greenMask = 0x00FF00;
  std::uint32_t blueMask = 0x0000FF;
};

// A decoded picture: width x height pixel words, top row first.
struct DecodedBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> pixels;
};

// Larger pictures are not decoded: a tiny run-length file may declare 32768 x 32768 pixels.
inline constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 26;

// Decodes the pixels of a file whose layout ReadBitmapLayout gave into width x height words,
// top row first. Run-length data that stops early or jumps away leaves palette colour 0 behind;
// palette indexes past the palette give black.
void DecodeBitmapPixels(std::string_view file, const BitmapLayout& layout,
                        const PixelFormat& format, std::span<std::uint32_t> pixels);

// The picture of a bitmap file; nothing when it is not a loadable bitmap or is too large.
std::optional<DecodedBitmap> DecodeBitmap(std::string_view file, const PixelFormat& format);

}  // namespace fondex::platform::posix
