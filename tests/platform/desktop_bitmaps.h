#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Bitmaps.h"

namespace fondex::platform::posix::testing {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// The shape's bitmap holding the given palette, colour masks (with bit-field compression) and
// pixel rows (top row first, without their padding), each where the headers say.
std::string BitmapWithRows(const BitmapShape& shape, const std::vector<Rgb>& palette,
                           const std::vector<std::string>& rowsTopFirst,
                           std::array<std::uint32_t, 3> masks = {});

// A run-length bitmap (shape.compression kBiRle8 or kBiRle4) holding the given data.
std::string RunLengthBitmap(BitmapShape shape, const std::vector<Rgb>& palette,
                            const std::string& data);

// A 24-bit bitmap, stored bottom-up, of colour(x, y) with y = 0 the top row.
std::string TrueColourBitmap(int width, int height, const std::function<Rgb(int x, int y)>& colour);

}  // namespace fondex::platform::posix::testing
