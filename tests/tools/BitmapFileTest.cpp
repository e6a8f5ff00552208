// The sample wallpapers' bitmap files, read back by the program's own bitmap check and decoder.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <set>

#include "platform/pictures/BitmapDecoder.h"
#include "platform/pictures/BitmapHeader.h"
#include "wallpapers/BitmapFile.h"

namespace fondex::tools {
namespace {

using platform::posix::DecodeBitmap;
using platform::posix::ReadBitmapLayout;

// Odd widths make rows that need padding at every depth; colours n below 1024 are distinct.
QImage Picture(int width, int height, int colours) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int n = (y * width + x) % colours;
      picture.setPixel(x, y, qRgb(n % 256, n / 256 * 64, n * 13 % 256));
    }
  }
  return picture;
}

TEST(BitmapFileTest, EachDepthDecodesToThePicturesPixels) {
  const struct {
    int bits;
    int width;
    int height;
  } cases[] = {{8, 5, 3}, {8, 1, 1}, {24, 5, 3}, {24, 2, 4}, {32, 3, 2}};
  for (const auto& c : cases) {
    const QImage picture = Picture(c.width, c.height, 40);
    const auto file = BitmapFileOf(picture, c.bits);
    ASSERT_TRUE(file) << c.bits;
    const auto layout = ReadBitmapLayout(*file);
    ASSERT_TRUE(layout) << c.bits << " bits, " << c.width << " x " << c.height;
    EXPECT_EQ(layout->bitCount, c.bits);
    EXPECT_FALSE(layout->topDown);
    const auto decoded = DecodeBitmap(*file, {});
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width, c.width);
    ASSERT_EQ(decoded->height, c.height);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        EXPECT_EQ(decoded->pixels[static_cast<std::size_t>(y * c.width + x)],
                  picture.pixel(x, y) & 0xFFFFFFu)
            << c.bits << " bits at " << x << ", " << y;
      }
    }
  }
}

TEST(BitmapFileTest, APaletteHoldsEveryColourOnceAndNoMoreThan256) {
  const auto exact = BitmapFileOf(Picture(16, 16, 256), 8);
  ASSERT_TRUE(exact);
  EXPECT_EQ(ReadBitmapLayout(*exact)->colorCount, 256u);
  EXPECT_EQ(ReadBitmapLayout(*BitmapFileOf(Picture(7, 3, 5), 8))->colorCount, 5u);
  EXPECT_FALSE(BitmapFileOf(Picture(17, 17, 257), 8));
  for (const int bits : {1, 4, 16}) {
    EXPECT_FALSE(BitmapFileOf(Picture(2, 2, 2), bits)) << bits;
  }
  EXPECT_FALSE(BitmapFileOf(QImage(), 24));
}

}  // namespace
}  // namespace fondex::tools
