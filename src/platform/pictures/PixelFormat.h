#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace fondex::platform::posix {

// Where each colour channel sits in an output pixel word (the masks of an X visual, say); the
// other bits of the word stay 0.
struct PixelFormat {
  std::uint32_t redMask = 0xFF0000;
  std::uint32_t greenMask = 0x00FF00;
  std::uint32_t blueMask = 0x0000FF;
};

// The largest value of a field of `bits` bits.
inline std::uint32_t MaxOfBits(int bits) {
  return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
}

// Output words are built from three lookups, whatever the output format.
class OutputWords {
 public:
  explicit OutputWords(const PixelFormat& format);

  std::uint32_t Word(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    return red_[red] | green_[green] | blue_[blue];
  }
  // 0x00RRGGBB, the usual X visual: a 24-bit pixel's bytes as they are.
  bool IsRgb888() const { return rgb888_; }

  // Turns words of 0x??RRGGBB, whatever their top byte, into words of the output format.
  void FromRgb888(std::span<std::uint32_t> words) const;

 private:
  bool rgb888_;
  std::array<std::uint32_t, 256> red_{}, green_{}, blue_{};
};

}  // namespace fondex::platform::posix
