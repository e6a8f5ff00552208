#include <gtest/gtest.h>

#include "desktop_bitmaps.h"
#include "platform/pictures/BitmapDecoder.h"

namespace fondex::platform::posix {
namespace {

using testing::BitmapShape;
using testing::BitmapWithRows;
using testing::Rgb;
using testing::RunLengthBitmap;
using Words = std::vector<std::uint32_t>;

constexpr PixelFormat kRgb565{.redMask = 0xF800, .greenMask = 0x07E0, .blueMask = 0x001F};

std::uint32_t Word(Rgb colour) {
  return std::uint32_t{colour.red} << 16 | colour.green << 8 | colour.blue;
}

Words Decoded(const std::string& file, const PixelFormat& format = {}) {
  const auto bitmap = DecodeBitmap(file, format);
  EXPECT_TRUE(bitmap.has_value());
  return bitmap ? bitmap->pixels : Words();
}

const std::vector<Rgb> kPalette = {{10, 20, 30}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
const std::vector<std::vector<int>> kIndexes = {{0, 1, 2, 3, 1}, {3, 2, 1, 0, 0}, {1, 1, 0, 2, 3}};

// Indexes packed as the bitmap stores them: the leftmost pixel in the highest bits.
std::string Packed(const std::vector<int>& row, int bits) {
  std::string bytes((row.size() * bits + 7) / 8, '\0');
  for (std::size_t x = 0; x < row.size(); ++x) {
    const std::size_t bit = x * bits;
    bytes[bit / 8] = static_cast<char>(bytes[bit / 8] | row[x] << (8 - bits - bit % 8));
  }
  return bytes;
}

TEST(BitmapDecoder, PaletteBitmapsOfEveryDepthOrderAndHeader) {
  for (int bits : {1, 4, 8}) {
    const int colours = bits == 1 ? 2 : 4;
    const std::vector<Rgb> palette(kPalette.begin(), kPalette.begin() + colours);
    std::vector<std::string> rows;
    Words expected;
    for (const auto& indexes : kIndexes) {
      std::vector<int> row;
      for (int index : indexes) {
        row.push_back(index % colours);
        expected.push_back(Word(palette[index % colours]));
      }
      rows.push_back(Packed(row, bits));
    }
    for (std::uint32_t headerSize : {12u, 40u, 124u}) {
      for (bool topDown : {false, true}) {
        if (headerSize == 12 && topDown) {
          continue;  // the oldest header has no top-down form
        }
        const BitmapShape shape{.headerSize = headerSize,
                                .width = 5,
                                .height = topDown ? -3 : 3,
                                .bitCount = static_cast<std::uint16_t>(bits)};
        EXPECT_EQ(Decoded(BitmapWithRows(shape, palette, rows)), expected)
            << bits << " bits, header " << headerSize << (topDown ? ", top-down" : "");
      }
    }
  }
}

TEST(BitmapDecoder, TrueColourBitmapsOf24And32Bits) {
  const auto colour = [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(40 * x + 7), static_cast<std::uint8_t>(50 * y + 3),
               static_cast<std::uint8_t>(20 * x * y + 1)};
  };
  Words expected;
  std::vector<std::string> rows24, rows32;
  for (int y = 0; y < 3; ++y) {
    rows24.emplace_back();
    rows32.emplace_back();
    for (int x = 0; x < 5; ++x) {
      const Rgb pixel = colour(x, y);
      expected.push_back(Word(pixel));
      const std::string bgr{static_cast<char>(pixel.blue), static_cast<char>(pixel.green),
                            static_cast<char>(pixel.red)};
      rows24.back() += bgr;
      rows32.back() += bgr + '\xAB';  // the fourth byte means nothing
    }
  }
  for (bool topDown : {false, true}) {
    const int height = topDown ? -3 : 3;
    EXPECT_EQ(Decoded(BitmapWithRows({.width = 5, .height = height, .bitCount = 24}, {}, rows24)),
              expected);
    EXPECT_EQ(Decoded(BitmapWithRows({.width = 5, .height = height, .bitCount = 32}, {}, rows32)),
              expected);
  }
  EXPECT_EQ(Decoded(testing::TrueColourBitmap(5, 3, colour)), expected);
}

// Channel levels of a few bits widen to 8 bits by scale: 5-bit 16 and 6-bit 32 are 132 and 130
// (as bit replication gives too), 10-bit 512 is 128.
struct Levels {
  std::uint32_t low, mid, high;
  std::uint8_t wideMid;
};

std::string LittleEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>(value >> (8 * i));
  }
  return out;
}

// A 3 x 2 picture of masked pixels: red by column, green by row, blue by both.
void ExpectMaskedPixels(const BitmapShape& shape, std::array<std::uint32_t, 3> masks,
                        std::array<Levels, 3> levels) {
  std::vector<std::string> rows;
  Words expected;
  for (std::uint32_t y = 0; y < 2; ++y) {
    rows.emplace_back();
    for (std::uint32_t x = 0; x < 3; ++x) {
      const std::uint32_t pick[3] = {x, y, (x + y) % 3};
      std::uint32_t pixel = 0;
      std::uint8_t wide[3];
      for (int c = 0; c < 3; ++c) {
        const Levels& l = levels[c];
        const std::uint32_t level = pick[c] == 0 ? l.low : pick[c] == 1 ? l.mid : l.high;
        pixel |= level << std::countr_zero(masks[c]);
        wide[c] = pick[c] == 0 ? 0 : pick[c] == 1 ? l.wideMid : 255;
      }
      rows.back() += LittleEndian(pixel, shape.bitCount / 8);
      expected.push_back(Word({wide[0], wide[1], wide[2]}));
    }
  }
  EXPECT_EQ(Decoded(BitmapWithRows(shape, {}, rows, masks)), expected)
      << shape.bitCount << " bits, compression " << shape.compression;
}

TEST(BitmapDecoder, SixteenAndThirtyTwoBitMasks) {
  const Levels five{0, 16, 31, 132}, six{0, 32, 63, 130}, ten{0, 512, 1023, 128};
  for (std::int32_t height : {2, -2}) {
    // Without bit fields, 16 bits are 5-5-5.
    ExpectMaskedPixels({.width = 3, .height = height, .bitCount = 16}, {0x7C00, 0x03E0, 0x001F},
                       {five, five, five});
    for (std::uint32_t headerSize : {40u, 124u}) {
      ExpectMaskedPixels({.headerSize = headerSize,
                          .width = 3,
                          .height = height,
                          .bitCount = 16,
                          .compression = kBiBitFields},
                         {0xF800, 0x07E0, 0x001F}, {five, six, five});
      ExpectMaskedPixels({.headerSize = headerSize,
                          .width = 3,
                          .height = height,
                          .bitCount = 32,
                          .compression = kBiBitFields},
                         {0x3FF00000, 0x000FFC00, 0x000003FF}, {ten, ten, ten});
    }
  }
}

// Expected pictures of run-length data, top row first, as palette indexes.
Words Coloured(const std::vector<std::vector<int>>& indexes) {
  Words words;
  for (const auto& row : indexes) {
    for (int index : row) {
      words.push_back(Word(kPalette[index]));
    }
  }
  return words;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) {
    bytes += static_cast<char>(value);
  }
  return bytes;
}

TEST(BitmapDecoder, RunLengthData) {
  // Bottom row: a run, an odd absolute run padded to a 16-bit boundary, end of line. Middle
  // row: one pixel, then a jump two right and one up, which leaves pixels at colour 0. Top
  // row: a run, end of the bitmap.
  const std::string rle8 =
      Bytes({2, 1, 0, 3, 0, 2, 3, 0, 0, 0, 1, 3, 0, 2, 2, 1, 1, 1, 1, 2, 0, 1});
  EXPECT_EQ(Decoded(RunLengthBitmap(
                {.width = 5, .height = 3, .bitCount = 8, .compression = kBiRle8}, kPalette, rle8)),
            Coloured({{0, 0, 0, 1, 2}, {3, 0, 0, 0, 0}, {1, 1, 0, 2, 3}}));

  // The same with nibbles: an absolute run of five takes three bytes and a pad; a run
  // alternates the two nibbles of its byte.
  const std::string rle4 =
      Bytes({0, 5, 0x11, 0x02, 0x30, 0, 0, 0, 1, 0x30, 0, 2, 1, 1, 3, 0x12, 0, 1});
  EXPECT_EQ(Decoded(RunLengthBitmap(
                {.width = 5, .height = 3, .bitCount = 4, .compression = kBiRle4}, kPalette, rle4)),
            Coloured({{0, 0, 1, 2, 1}, {3, 0, 0, 0, 0}, {1, 1, 0, 2, 3}}));
}

TEST(BitmapDecoder, DataThatStopsEarlyOrOverrunsAndColoursPastThePalette) {
  // A run past the right edge; then colour 7 of a four-colour palette, which is black; then
  // no end mark: what was not drawn keeps colour 0.
  const std::string data = Bytes({9, 2, 0, 0, 2, 7});
  const std::uint32_t first = Word(kPalette[0]), two = Word(kPalette[2]);
  EXPECT_EQ(Decoded(RunLengthBitmap(
                {.width = 3, .height = 3, .bitCount = 8, .compression = kBiRle8, .colorsUsed = 4},
                kPalette, data)),
            (Words{first, first, first, 0, 0, first, two, two, two}));

  const std::string file = BitmapWithRows({.width = 3, .height = 1, .bitCount = 8, .colorsUsed = 2},
                                          kPalette, {Bytes({1, 2, 200})});
  EXPECT_EQ(Decoded(file), (Words{Word(kPalette[1]), 0, 0}));
}

TEST(BitmapDecoder, WritesTheOutputFormatsChannels) {
  const std::string file = testing::TrueColourBitmap(4, 1, [](int x, int) {
    const Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    return colours[x];
  });
  EXPECT_EQ(Decoded(file, kRgb565), (Words{0xF800, 0x07E0, 0x001F, 0xFFFF}));
  EXPECT_EQ(Decoded(file, {.redMask = 0xFF, .greenMask = 0xFF00, .blueMask = 0xFF0000}),
            (Words{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}));
}

TEST(BitmapDecoder, RefusesOtherFilesAndHugePictures) {
  EXPECT_FALSE(DecodeBitmap("GIF89a", {}).has_value());
  const std::string huge =
      RunLengthBitmap({.width = 20000, .height = 20000, .bitCount = 8, .compression = kBiRle8},
                      kPalette, Bytes({0, 1}));
  ASSERT_TRUE(ReadBitmapLayout(huge).has_value());
  EXPECT_FALSE(DecodeBitmap(huge, {}).has_value());
}

}  // namespace
}  // namespace fondex::platform::posix
