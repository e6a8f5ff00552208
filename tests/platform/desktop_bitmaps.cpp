#include "desktop_bitmaps.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/pictures/BitmapHeader.h"

namespace fondex::platform::posix::testing {
namespace {

void Put32(std::string& file, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    file[at + i] = static_cast<char>(value >> (8 * i));
  }
}

BitmapLayout LayoutOf(const std::string& file) {
  const auto layout = ReadBitmapLayout(file);
  if (!layout) {
    throw std::logic_error("the test built a bitmap that is not one");
  }
  return *layout;
}

void PutPalette(std::string& file, const BitmapLayout& layout, const std::vector<Rgb>& palette) {
  for (std::size_t i = 0; i < palette.size() && i < layout.colorCount; ++i) {
    const std::size_t at = layout.paletteOffset + i * layout.paletteEntrySize;
    file[at] = static_cast<char>(palette[i].blue);
    file[at + 1] = static_cast<char>(palette[i].green);
    file[at + 2] = static_cast<char>(palette[i].red);
  }
}

}  // namespace

std::string BitmapWithRows(const BitmapShape& shape, const std::vector<Rgb>& palette,
                           const std::vector<std::string>& rowsTopFirst,
                           std::array<std::uint32_t, 3> masks) {
  std::string file = MakeBitmap(shape);
  const BitmapLayout layout = LayoutOf(file);
  PutPalette(file, layout, palette);
  if (layout.compression == kBiBitFields) {
    for (std::size_t i = 0; i < masks.size(); ++i) {
      Put32(file, layout.masksOffset + 4 * i, masks[i]);
    }
  }
  const std::size_t stride = layout.pixelSize / static_cast<std::size_t>(layout.height);
  for (std::size_t y = 0; y < rowsTopFirst.size(); ++y) {
    const std::size_t stored = layout.topDown ? y : layout.height - 1 - y;
    file.replace(layout.pixelOffset + stored * stride, rowsTopFirst[y].size(), rowsTopFirst[y]);
  }
  return file;
}

std::string RunLengthBitmap(BitmapShape shape, const std::vector<Rgb>& palette,
                            const std::string& data) {
  shape.imageSize = static_cast<std::uint32_t>(data.size());
  std::string file = MakeBitmap(shape);
  const BitmapLayout layout = LayoutOf(file);
  PutPalette(file, layout, palette);
  file.replace(layout.pixelOffset, data.size(), data);
  return file;
}

std::string TrueColourBitmap(int width, int height,
                             const std::function<Rgb(int x, int y)>& colour) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb pixel = colour(x, y);
      row += {static_cast<char>(pixel.blue), static_cast<char>(pixel.green),
              static_cast<char>(pixel.red)};
    }
    rows.push_back(row);
  }
  return BitmapWithRows({.width = width, .height = height, .bitCount = 24}, {}, rows);
}

}  // namespace fondex::platform::posix::testing
