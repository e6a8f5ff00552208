#include <gtest/gtest.h>

#include <time.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Bitmaps.h"
#include "pictures/PictureFiles.h"
#include "platform/pictures/Picture.h"

namespace fondex::platform::posix {
namespace {

using testing::JpegInk;
using testing::JpegLayout;
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
      {"JPEG progressive", testing::JpegFile(kWidth, kHeight, Quadrants, {.progressive = true}),
       PictureKind::kJpeg, 12, QuadrantWord},
      {"JPEG CMYK", testing::JpegFile(kWidth, kHeight, Quadrants, {.ink = JpegInk::kCmyk}),
       PictureKind::kJpeg, 12, QuadrantWord},
      {"JPEG CMYK, Adobe's",
       testing::JpegFile(kWidth, kHeight, Quadrants, {.ink = JpegInk::kAdobeCmyk}),
       PictureKind::kJpeg, 12, QuadrantWord},
      {"JPEG YCCK, Adobe's",
       testing::JpegFile(kWidth, kHeight, Quadrants,
                         {.ink = JpegInk::kAdobeYcck, .progressive = true}),
       PictureKind::kJpeg, 12, QuadrantWord},
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

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<std::uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
  }
  return ~crc;
}

void PutBigEndian(std::string& file, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    file[at + i] = static_cast<char>(value >> (8 * (bytes - 1 - i)));
  }
}

// A small PNG whose header claims the sides: its data ends long before such a picture would.
std::string PngClaiming(int side, const PngLayout& layout) {
  std::string file = testing::PngFile(16, 16, layout, Quadrants);
  PutBigEndian(file, 16, static_cast<std::uint32_t>(side), 4);
  PutBigEndian(file, 20, static_cast<std::uint32_t>(side), 4);
  PutBigEndian(file, 29, Crc32(std::string_view(file).substr(12, 17)), 4);
  return file;
}

// The same for a JPEG: the frame's sides are rewritten.
std::string JpegClaiming(int side, const JpegLayout& layout) {
  std::string file = testing::JpegFile(16, 16, Quadrants, layout);
  const std::size_t frame = file.find(layout.progressive ? "\xFF\xC2" : "\xFF\xC0") + 5;
  PutBigEndian(file, frame, static_cast<std::uint32_t>(side), 2);
  PutBigEndian(file, frame + 2, static_cast<std::uint32_t>(side), 2);
  return file;
}

// A progressive JPEG of 8192 x 8192 of thousands of scans that carry nothing: each one
// would cost a pass over the whole picture.
std::string JpegOfScans(int scans) {
  std::string file = JpegClaiming(8192, {.progressive = true});
  file = file.substr(0, file.find("\xFF\xDA"));
  for (int i = 0; i < scans; ++i) {
    file += std::string("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x00\x03\x00\x00\x00\x00", 14);
  }
  return file + "\xFF\xD9";
}

// Each scan costs a pass over the whole picture: beyond a few dozen, a picture is refused.
TEST(PictureDecoder, AJpegOfTooManyScansIsRefused) {
  for (const int scans : {10, 64, 65, 200}) {
    SCOPED_TRACE(scans);
    const std::string file = testing::JpegFile(kWidth, kHeight, Quadrants, {.scans = scans});
    MemorySource source(file);
    EXPECT_TRUE(CheckPicture(source, PictureFormats::kAll).has_value());
    EXPECT_EQ(DecodePicture(source, {}).has_value(), scans <= 64);
  }
}

std::chrono::nanoseconds ThreadTime() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// This process's resident-set high-water mark, in kB.
long HighWaterMark() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

// Reads the picture band by band, as the screen does; true when it is read whole.
bool ReadsWhole(ByteSource& source) {
  const std::unique_ptr<PictureReader> reader = OpenPicture(source, {});
  if (!reader) {
    return false;
  }
  const std::int32_t rows = std::max<std::int32_t>(1, (1 << 18) / reader->Width());
  std::vector<std::uint32_t> band;
  for (std::int32_t top = 0; top < reader->Height(); top += rows) {
    band.resize(std::size_t(reader->Width()) * std::min(rows, reader->Height() - top));
    if (!reader->ReadRows(band)) {
      return false;
    }
  }
  return true;
}

// Tiny files that claim huge pictures, or cost a pass over the picture per scan: each is refused
// within a second, and its decoding never takes the memory such a picture would.
TEST(PictureDecoder, BombsAreRefusedAtOnceWithinTheDecodersMemory) {
  const std::vector<std::pair<const char*, std::string>> bombs = {
      {"interlaced PNG of 32768 x 32768", PngClaiming(32768, {.interlaced = true})},
      {"interlaced 16-bit PNG of 8192 x 8192",
       PngClaiming(8192, {.colourType = 6, .bitDepth = 16, .interlaced = true})},
      {"progressive JPEG of 32768 x 32768", JpegClaiming(32768, {.progressive = true})},
      {"progressive JPEG of 8192 x 8192", JpegClaiming(8192, {.progressive = true})},
      {"progressive CMYK JPEG of 8192 x 8192",
       JpegClaiming(8192, {.ink = JpegInk::kAdobeCmyk, .progressive = true})},
      {"JPEG of 10,000 scans", JpegOfScans(10000)},
  };
  for (const auto& [what, file] : bombs) {
    SCOPED_TRACE(what);
    MemorySource source(file);
    ASSERT_TRUE(CheckPicture(source, PictureFormats::kAll).has_value());
    // The high-water mark starts again from what the process holds now.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = HighWaterMark();
    // The time this thread works, whatever else the machine runs meanwhile.
    const auto start = ThreadTime();
    EXPECT_FALSE(ReadsWhole(source));
    EXPECT_LT(ThreadTime() - start, std::chrono::seconds(1));
    EXPECT_LT(HighWaterMark() - before, 600 * 1024) << "kB";
  }
}

}  // namespace
}  // namespace fondex::platform::posix
