#include "Bitmaps.h"

#include <cstdlib>

namespace fondex::platform::posix::testing {
namespace {

void Put(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>(value >> (8 * i) & 0xFF);
  }
}

std::uint64_t PixelBytes(const BitmapShape& shape) {
  if (shape.compression == 1 || shape.compression == 2) {
    return shape.imageSize;
  }
  const std::uint64_t row = (std::uint64_t(std::llabs(shape.width)) * shape.bitCount + 31) / 32 * 4;
  return row * std::uint64_t(std::llabs(shape.height));
}

}  // namespace

std::string MakeBitmap(const BitmapShape& shape) {
  const bool core = shape.headerSize == 12;
  const std::uint32_t masks = shape.compression == 3 && shape.headerSize == 40 ? 12 : 0;
  const std::uint32_t colors =
      shape.colorsUsed != 0 ? shape.colorsUsed : (shape.bitCount <= 8 ? 1u << shape.bitCount : 0);
  const std::uint32_t pixelOffset = 14 + shape.headerSize + masks + colors * (core ? 3 : 4);
  std::string file = "BM";
  Put(file, pixelOffset + PixelBytes(shape), 4);
  Put(file, 0, 4);
  Put(file, pixelOffset, 4);
  Put(file, shape.headerSize, 4);
  if (core) {
    Put(file, shape.width, 2);
    Put(file, shape.height, 2);
    Put(file, shape.planes, 2);
    Put(file, shape.bitCount, 2);
  } else {
    Put(file, static_cast<std::uint32_t>(shape.width), 4);
    Put(file, static_cast<std::uint32_t>(shape.height), 4);
    Put(file, shape.planes, 2);
    Put(file, shape.bitCount, 2);
    Put(file, shape.compression, 4);
    Put(file, shape.imageSize, 4);
    Put(file, 2835, 4);
    Put(file, 2835, 4);
    Put(file, shape.colorsUsed, 4);
    Put(file, 0, 4);
  }
  file.resize(pixelOffset, '\x7F');
  file.resize(pixelOffset + PixelBytes(shape), '\x20');
  return file;
}

}  // namespace fondex::platform::posix::testing
