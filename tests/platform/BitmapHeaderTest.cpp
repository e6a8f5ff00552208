#include "platform/pictures/BitmapHeader.h"

#include <gtest/gtest.h>

#include "Bitmaps.h"

namespace fondex::platform::posix {
namespace {

using testing::BitmapShape;
using testing::MakeBitmap;

bool Loadable(const BitmapShape& shape) {
  return ReadBitmapLayout(MakeBitmap(shape)).has_value();
}

TEST(BitmapHeader, AcceptsEveryHeaderVersionAndPixelFormat) {
  for (std::uint32_t headerSize : {40u, 52u, 56u, 108u, 124u}) {
    for (std::uint16_t bitCount : {1, 4, 8, 16, 24, 32}) {
      EXPECT_TRUE(Loadable({.headerSize = headerSize, .bitCount = bitCount}))
          << headerSize << ' ' << bitCount;
    }
    EXPECT_TRUE(Loadable({.headerSize = headerSize, .bitCount = 16, .compression = kBiBitFields}));
  }
  for (std::uint16_t bitCount : {1, 4, 8, 24}) {
    EXPECT_TRUE(Loadable({.headerSize = 12, .bitCount = bitCount})) << bitCount;
  }
  EXPECT_TRUE(Loadable({.width = 1, .height = 1, .bitCount = 1}));
  EXPECT_TRUE(Loadable({.bitCount = 8, .compression = kBiRle8, .imageSize = 6}));
  EXPECT_TRUE(Loadable({.bitCount = 4, .compression = kBiRle4, .imageSize = 6}));
  EXPECT_TRUE(Loadable({.bitCount = 8, .colorsUsed = 16}));
}

TEST(BitmapHeader, DescribesTheLayout) {
  const auto topDown = ReadBitmapLayout(MakeBitmap({.width = 5, .height = -3, .bitCount = 24}));
  ASSERT_TRUE(topDown.has_value());
  EXPECT_TRUE(topDown->topDown);
  EXPECT_EQ(topDown->height, 3);
  EXPECT_EQ(topDown->pixelOffset, 54u);
  EXPECT_EQ(topDown->pixelSize, 48u);  // rows of 15 bytes padded to 16

  const auto masked =
      ReadBitmapLayout(MakeBitmap({.bitCount = 16, .compression = kBiBitFields, .colorsUsed = 2}));
  ASSERT_TRUE(masked.has_value());
  EXPECT_EQ(masked->masksOffset, 54u);
  EXPECT_EQ(masked->paletteOffset, 66u);
  EXPECT_EQ(masked->colorCount, 2u);

  const auto core = ReadBitmapLayout(MakeBitmap({.headerSize = 12, .bitCount = 8}));
  ASSERT_TRUE(core.has_value());
  EXPECT_EQ(core->paletteEntrySize, 3u);
  EXPECT_EQ(core->pixelOffset, 26u + 256 * 3);
}

TEST(BitmapHeader, RefusesInconsistentHeaders) {
  EXPECT_FALSE(Loadable({.headerSize = 64}));
  EXPECT_FALSE(Loadable({.width = 0}));
  EXPECT_FALSE(Loadable({.width = -3}));
  EXPECT_FALSE(Loadable({.height = 0}));
  EXPECT_FALSE(Loadable({.width = 40000, .height = 1, .bitCount = 1}));
  EXPECT_FALSE(Loadable({.planes = 2}));
  EXPECT_FALSE(Loadable({.bitCount = 2}));
  EXPECT_FALSE(Loadable({.headerSize = 12, .bitCount = 32}));
  EXPECT_FALSE(Loadable({.bitCount = 24, .compression = kBiRle8, .imageSize = 6}));
  EXPECT_FALSE(Loadable({.bitCount = 8, .compression = kBiRle4, .imageSize = 6}));
  EXPECT_FALSE(Loadable({.height = -2, .bitCount = 8, .compression = kBiRle8, .imageSize = 6}));
  EXPECT_FALSE(Loadable({.bitCount = 8, .compression = kBiRle8, .imageSize = 0}));
  EXPECT_FALSE(Loadable({.bitCount = 24, .compression = kBiBitFields}));
  EXPECT_FALSE(Loadable({.compression = 4}));
  EXPECT_FALSE(Loadable({.bitCount = 8, .colorsUsed = 257}));
}

TEST(BitmapHeader, RefusesOtherAndDamagedFiles) {
  const std::string good = MakeBitmap({.bitCount = 8});
  ASSERT_TRUE(ReadBitmapLayout(good).has_value());
  EXPECT_FALSE(ReadBitmapLayout(""));
  EXPECT_FALSE(ReadBitmapLayout("\x89PNG\r\n\x1A\n" + good.substr(8)));
  EXPECT_FALSE(ReadBitmapLayout("bm" + good.substr(2)));
  for (std::size_t cut :
       {good.size() - 1, std::size_t{54} + 1024, std::size_t{40}, std::size_t{16}}) {
    EXPECT_FALSE(ReadBitmapLayout(good.substr(0, cut))) << cut;
  }
  std::string overlapping = good;
  overlapping[10] = 54;  // pixels said to start inside the palette
  overlapping[11] = 0;
  EXPECT_FALSE(ReadBitmapLayout(overlapping));
  std::string lowest = MakeBitmap({});
  lowest.replace(22, 4, std::string("\0\0\0\x80", 4));  // height -2^31
  EXPECT_FALSE(ReadBitmapLayout(lowest));
}

}  // namespace
}  // namespace fondex::platform::posix
