#include "Bitmaps.h"

#include <cstdlib>

namespace fondex::platform::posix::testing {
namespace {

void Put(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>(value >> (8 * i) & 0xFF);
  }
}

std::uint64_t PixelBytes(const BitmapSpec& spec) {
  if (spec.compression == 1 || spec.compression == 2) {
    return spec.imageSize;
  }
  const std::uint64_t row = (std::uint64_t(std::llabs(spec.width)) * spec.bitCount + 31) / 32 * 4;
  return row * std::uint64_t(std::llabs(spec.height));
}

}  // namespace

std::string MakeBitmap(const BitmapSpec& spec) {
  const bool core = spec.headerSize == 12;
  const std::uint32_t masks = spec.compression == 3 && spec.headerSize == 40 ? 12 : 0;
  const std::uint32_t colors =
      spec.colorsUsed != 0 ? spec.colorsUsed : (spec.bitCount <= 8 ? 1u << spec.bitCount : 0);
  const std::uint32_t pixelOffset = 14 + spec.headerSize + masks + colors * (core ? 3 : 4);
  std::string file = "BM";
  Put(file, pixelOffset + PixelBytes(spec), 4);
  Put(file, 0, 4);
  Put(file, pixelOffset, 4);
  Put(file, spec.headerSize, 4);
  if (core) {
    Put(file, spec.width, 2);
    Put(file, spec.height, 2);
    Put(file, spec.planes, 2);
    Put(file, spec.bitCount, 2);
  } else {
    Put(file, static_cast<std::uint32_t>(spec.width), 4);
    Put(file, static_cast<std::uint32_t>(spec.height), 4);
    Put(file, spec.planes, 2);
    Put(file, spec.bitCount, 2);
    Put(file, spec.compression, 4);
    Put(file, spec.imageSize, 4);
    Put(file, 2835, 4);
    Put(file, 2835, 4);
    Put(file, spec.colorsUsed, 4);
    Put(file, 0, 4);
  }
  file.resize(pixelOffset, '\x7F');
  file.resize(pixelOffset + PixelBytes(spec), '\x20');
  return file;
}

}  // namespace fondex::platform::posix::testing
