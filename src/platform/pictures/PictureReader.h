#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace fondex::platform::posix {

// No side of a picture may be longer.
inline constexpr std::int64_t kMaxPictureSide = 32768;

// Larger pictures are not decoded: a tiny compressed file may declare 32768 x 32768 pixels.
inline constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 26;

// No decoder, its library included, may take more memory for one picture: the bound of the
// largest bitmap file the program reads.
inline constexpr std::uint64_t kMaxDecoderBytes = std::uint64_t{512} << 20;

// Sides small enough for the decoders: nothing larger than kMaxDecodedPixels is decoded.
inline bool Decodable(std::int64_t width, std::int64_t height) {
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <=
         kMaxDecodedPixels;
}

// The formats a picture file may have.
enum class PictureKind { kBitmap, kJpeg, kPng, kWebp };

// What a picture's header says.
struct PictureHeader {
  PictureKind kind = PictureKind::kBitmap;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The pixel rows of a picture, decoded top row first, a band of rows at a time, into words of
// the output format.
class PictureReader {
 public:
  PictureReader(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
  virtual ~PictureReader() = default;
  PictureReader(const PictureReader&) = delete;
  PictureReader& operator=(const PictureReader&) = delete;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  // Decodes the next words.size() / Width() rows; false when the data is bad or ends early, or
  // when the rows asked for go past the last one.
  virtual bool ReadRows(std::span<std::uint32_t> words) = 0;

 private:
  std::int32_t width_;
  std::int32_t height_;
};

// A whole decoded picture: width x height pixel words, top row first.
struct DecodedBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> pixels;
};

}  // namespace fondex::platform::posix
