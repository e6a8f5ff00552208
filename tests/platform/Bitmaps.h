#pragma once

#include <cstdint>
#include <string>

namespace fondex::platform::posix::testing {

// What a test bitmap file declares; the file holds exactly the palette and pixel data the
// headers call for.
struct BitmapShape {
  std::uint32_t headerSize = 40;
  std::int32_t width = 3;
  std::int32_t height = 2;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;  // pixel bytes of run-length data
  std::uint32_t colorsUsed = 0;
};

std::string MakeBitmap(const BitmapShape& shape);

}  // namespace fondex::platform::posix::testing
