#include <gtest/gtest.h>

#include <cstdlib>

#include "Bitmaps.h"
#include "pictures/PictureFiles.h"
#include "platform/pictures/Picture.h"

namespace fondex::platform::posix {
namespace {

using testing::PngLayout;
using testing::Rgba;

constexpr int kWidth = 32;
constexpr int kHeight = 16;

Rgba Quadrants(int x, int y) {
  return testing::Quadrant(x, y, kWidth, kHeight);
}

// Quadrants at half opacity: laid over black, every channel halves.
Rgba HalfSeen(int x, int y) {
  Rgba pixel = Quadrants(x, y);
  pixel.alpha = 128;
  return pixel;
}

struct Sample {
  const char* what;
  std::string file;
  PictureKind kind;
  int tolerance;  // per channel: lossy pictures come back near their colours
  std::uint32_t (*expected)(int x, int y);
};

std::uint32_t Word(Rgba pixel) {
  return std::uint32_t{pixel.red} << 16 | std::uint32_t{pixel.green} << 8 | pixel.blue;
}

std::uint32_t QuadrantWord(int x, int y) {
  return Word(Quadrants(x, y));
}

std::uint32_t HalfWord(int x, int y) {
  const Rgba pixel = Quadrants(x, y);
  const auto half = [](std::uint8_t channel) {
    return static_cast<std::uint8_t>((channel * 128 + 127) / 255);
  };
  return Word({half(pixel.red), half(pixel.green), half(pixel.blue)});
}

std::uint32_t GreyWord(int x, int y) {
  const std::uint8_t red = Quadrants(x, y).red;
  return Word({red, red, red});
}

Rgba Grey(int x, int y) {
  const std::uint8_t red = Quadrants(x, y).red;
  return {red, red, red, 255};
}

std::vector<Sample> Samples() {
  return {
      {"JPEG", testing::JpegFile(kWidth, kHeight, Quadrants), PictureKind::kJpeg, 12, QuadrantWord},
      {"PNG 8-bit colour", testing::PngFile(kWidth, kHeight, {}, Quadrants), PictureKind::kPng, 0,
       QuadrantWord},
      {"PNG palette", testing::PngFile(kWidth, kHeight, {.colourType = 3}, Quadrants),
       PictureKind::kPng, 0, QuadrantWord},
      {"PNG 16-bit", testing::PngFile(kWidth, kHeight, {.bitDepth = 16}, Quadrants),
       PictureKind::kPng, 0, QuadrantWord},
      {"PNG grey", testing::PngFile(kWidth, kHeight, {.colourType = 0}, Grey), PictureKind::kPng, 0,
       GreyWord},
      {"PNG alpha", testing::PngFile(kWidth, kHeight, {.colourType = 6}, HalfSeen),
       PictureKind::kPng, 0, HalfWord},
      {"PNG interlaced",
       testing::PngFile(kWidth, kHeight, {.colourType = 6, .interlaced = true}, HalfSeen),
       PictureKind::kPng, 0, HalfWord},
      {"WebP lossless", testing::WebpFile(kWidth, kHeight, true, Quadrants), PictureKind::kWebp, 0,
       QuadrantWord},
      {"WebP lossless alpha", testing::WebpFile(kWidth, kHeight, true, HalfSeen),
       PictureKind::kWebp, 1, HalfWord},
      {"WebP lossy", testing::WebpFile(kWidth, kHeight, false, Quadrants), PictureKind::kWebp, 24,
       QuadrantWord},
  };
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) >
        tolerance) {
      return false;
    }
  }
  return (a >> 24) == 0;
}

TEST(PictureDecoder, EachFormatChecksAndDecodesToItsPixels) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.what);
    MemorySource source(sample.file);
    const auto header = CheckPicture(source, PictureFormats::kAll);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->kind, sample.kind);
    EXPECT_EQ(header->width, kWidth);
    EXPECT_EQ(header->height, kHeight);
    EXPECT_FALSE(CheckPicture(source, PictureFormats::kBitmapsOnly).has_value());
    const auto picture = DecodePicture(source, {});
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->pixels.size(), std::size_t{kWidth} * kHeight);
    // Away from the edges of the quadrants, where lossy formats blur.
    for (int y : {0, 3, 12, 15}) {
      for (int x : {0, 5, 26, 31}) {
        EXPECT_PRED3(Near, picture->pixels[y * kWidth + x], sample.expected(x, y), sample.tolerance)
            << x << ',' << y;
      }
    }
  }
}

// Band by band, in another channel layout: the same pixels.
TEST(PictureDecoder, BandsOfRowsInAnyOutputFormat) {
  const PixelFormat bgr{.redMask = 0x0000FF, .greenMask = 0x00FF00, .blueMask = 0xFF0000};
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.what);
    MemorySource whole(sample.file), banded(sample.file);
    const auto picture = DecodePicture(whole, {});
    const auto reader = OpenPicture(banded, bgr);
    ASSERT_TRUE(picture && reader);
    for (int top = 0; top < kHeight; top += 5) {
      std::vector<std::uint32_t> band(std::size_t{kWidth} * std::min(5, kHeight - top));
      ASSERT_TRUE(reader->ReadRows(band));
      for (std::size_t i = 0; i < band.size(); ++i) {
        const std::uint32_t word = picture->pixels[top * kWidth + i];
        EXPECT_EQ(band[i], (word & 0xFF) << 16 | (word & 0xFF00) | word >> 16) << top << ' ' << i;
      }
    }
    std::vector<std::uint32_t> past(kWidth);
    EXPECT_FALSE(reader->ReadRows(past));
  }
}

// No cut of a file passes, nor a file whose data is damaged; nothing crashes.
TEST(PictureDecoder, TruncatedAndCorruptFilesAreRefused) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.what);
    const std::string& file = sample.file;
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{4}, std::size_t{20}, file.size() / 2, file.size() - 1}) {
      MemorySource source(std::string_view(file).substr(0, cut));
      EXPECT_FALSE(CheckPicture(source, PictureFormats::kAll).has_value()) << cut;
      EXPECT_FALSE(DecodePicture(source, {}).has_value()) << cut;
    }
  }
}

TEST(PictureDecoder, DamagedDataThatTheHeadersDoNotShowIsRefusedByTheDecoder) {
  struct Damage {
    const char* what;
    std::string file;
    std::size_t from;  // bytes from here to 16 before the end are overwritten
    char with;
  };
  const std::string jpeg = testing::JpegFile(kWidth, kHeight, Quadrants);
  const std::string png = testing::PngFile(kWidth, kHeight, {}, Quadrants);
  const std::string webp = testing::WebpFile(kWidth, kHeight, true, Quadrants);
  const std::vector<Damage> damages = {
      {"JPEG scan", jpeg, jpeg.rfind("\xFF\xDA") + 20, '\xFF'},
      {"PNG data", png, png.find("IDAT") + 8, '\x55'},
      {"WebP lossless data", webp, 40, '\x00'},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    std::string file = damage.file;
    ASSERT_LT(damage.from, file.size() - 16);
    std::fill(file.begin() + damage.from, file.end() - 16, damage.with);
    MemorySource source(file);
    EXPECT_TRUE(CheckPicture(source, PictureFormats::kAll).has_value());
    EXPECT_FALSE(DecodePicture(source, {}).has_value());
  }
}

// Headers that declare what no decoder should try.
TEST(PictureDecoder, HeadersOfImpossibleSidesAreRefused) {
  const auto bigEndian = [](std::string& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      file[at + i] = static_cast<char>(value >> (8 * (bytes - 1 - i)));
    }
  };
  std::string png = testing::PngFile(kWidth, kHeight, {}, Quadrants);
  std::string jpeg = testing::JpegFile(kWidth, kHeight, Quadrants);
  const std::size_t frame = jpeg.find("\xFF\xC0") + 5;  // after marker, length, precision
  for (std::uint32_t side : {0u, 32769u, 60000u}) {
    SCOPED_TRACE(side);
    std::string wide = png, tall = jpeg;
    bigEndian(wide, 16, side, 4);
    bigEndian(tall, frame, side, 2);
    MemorySource widePng(wide), tallJpeg(tall);
    EXPECT_FALSE(CheckPicture(widePng, PictureFormats::kAll).has_value());
    EXPECT_FALSE(CheckPicture(tallJpeg, PictureFormats::kAll).has_value());
    EXPECT_FALSE(OpenPicture(widePng, {}));
  }
  // A file that only starts like a picture.
  for (const std::string& file :
       {std::string("\xFF\xD8\xFF\xD9", 4), std::string("RIFF\4\0\0\0WEBP"),
        std::string("\x89PNG\r\n\x1A\n")}) {
    MemorySource source(file);
    EXPECT_FALSE(CheckPicture(source, PictureFormats::kAll).has_value());
  }
}

}  // namespace
}  // namespace fondex::platform::posix
