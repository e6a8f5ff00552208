#include "platform/pictures/PixelFormat.h"

namespace fondex::platform::posix {
namespace {

// An 8-bit channel value at its place in an output word.
std::uint32_t PlaceChannel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const std::uint64_t max = MaxOfBits(std::popcount(mask));
  const auto scaled = static_cast<std::uint32_t>((value * max + 127) / 255);
  return (scaled << std::countr_zero(mask)) & mask;
}

}  // namespace

OutputWords::OutputWords(const PixelFormat& format)
    : rgb888_(format.redMask == 0xFF0000 && format.greenMask == 0x00FF00 &&
              format.blueMask == 0x0000FF) {
  for (std::uint32_t value = 0; value < 256; ++value) {
    red_[value] = PlaceChannel(value, format.redMask);
    green_[value] = PlaceChannel(value, format.greenMask);
    blue_[value] = PlaceChannel(value, format.blueMask);
  }
}

void OutputWords::FromRgb888(std::span<std::uint32_t> words) const {
  if (rgb888_) {
    for (std::uint32_t& word : words) {
      word &= 0xFFFFFF;
    }
    return;
  }
  for (std::uint32_t& word : words) {
    word = Word(static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
                static_cast<std::uint8_t>(word));
  }
}

}  // namespace fondex::platform::posix
