#include "platform/posix/BitmapDecoder.h"

#include <algorithm>
#include <array>
#include <bit>

namespace fondex::platform::posix {
namespace {

using Byte = std::uint8_t;

std::uint32_t Read32(const Byte* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint32_t MaxOfBits(int bits) {
  return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
}

// An 8-bit channel value at its place in an output word.
std::uint32_t PlaceChannel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const std::uint64_t max = MaxOfBits(std::popcount(mask));
  const auto scaled = static_cast<std::uint32_t>((value * max + 127) / 255);
  return (scaled << std::countr_zero(mask)) & mask;
}

// Output words are built from three lookups, whatever the output format.
class OutputWords {
 public:
  explicit OutputWords(const PixelFormat& format)
      : rgb888_(format.redMask == 0xFF0000 && format.greenMask == 0x00FF00 &&
                format.blueMask == 0x0000FF) {
    for (std::uint32_t value = 0; value < 256; ++value) {
      red_[value] = PlaceChannel(value, format.redMask);
      green_[value] = PlaceChannel(value, format.greenMask);
      blue_[value] = PlaceChannel(value, format.blueMask);
    }
  }
  std::uint32_t Word(Byte red, Byte green, Byte blue) const {
    return red_[red] | green_[green] | blue_[blue];
  }
  // 0x00RRGGBB, the usual X visual: a 24-bit pixel's bytes as they are.
  bool IsRgb888() const { return rgb888_; }

 private:
  bool rgb888_;
  std::array<std::uint32_t, 256> red_{}, green_{}, blue_{};
};

// One channel of a 16- or 32-bit source pixel, brought to 8 bits.
class SourceChannel {
 public:
  explicit SourceChannel(std::uint32_t mask)
      : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)) {
    const int bits = std::popcount(mask);
    drop_ = std::max(bits - 8, 0);
    const std::uint32_t max = MaxOfBits(std::min(bits, 8));
    for (std::uint32_t value = 0; value < 256; ++value) {
      widen_[value] =
          max == 0 ? 0 : static_cast<Byte>((std::min(value, max) * 255 + max / 2) / max);
    }
  }
  Byte Of(std::uint32_t pixel) const {
    return widen_[std::min(((pixel & mask_) >> shift_) >> drop_, 255u)];
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int drop_ = 0;
  std::array<Byte, 256> widen_{};
};

struct SourceMasks {
  std::uint32_t red;
  std::uint32_t green;
  std::uint32_t blue;
};

SourceMasks MasksOf(const Byte* file, const BitmapLayout& layout) {
  if (layout.compression == kBiBitFields) {
    const Byte* masks = file + layout.masksOffset;
    return {Read32(masks), Read32(masks + 4), Read32(masks + 8)};
  }
  if (layout.bitCount == 16) {
    return {0x7C00, 0x03E0, 0x001F};
  }
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

// 256 entries whatever the palette's size: an index past it gives black.
std::array<std::uint32_t, 256> PaletteWords(const Byte* file, const BitmapLayout& layout,
                                            const OutputWords& words) {
  std::array<std::uint32_t, 256> palette{};
  palette.fill(words.Word(0, 0, 0));
  const std::uint32_t count = std::min<std::uint32_t>(layout.colorCount, 256);
  for (std::uint32_t i = 0; i < count; ++i) {
    const Byte* entry = file + layout.paletteOffset + i * layout.paletteEntrySize;
    palette[i] = words.Word(entry[2], entry[1], entry[0]);
  }
  return palette;
}

class Decoder {
 public:
  Decoder(std::string_view file, const BitmapLayout& layout, const PixelFormat& format,
          std::span<std::uint32_t> pixels)
      : file_(reinterpret_cast<const Byte*>(file.data())),
        layout_(layout),
        words_(format),
        pixels_(pixels),
        width_(static_cast<std::size_t>(layout.width)),
        height_(static_cast<std::size_t>(layout.height)) {}

  void Run() {
    if (layout_.compression == kBiRle8 || layout_.compression == kBiRle4) {
      DecodeRunLength();
    } else {
      DecodeRows();
    }
  }

 private:
  std::uint32_t* OutputRow(std::size_t fileRow) const {
    const std::size_t top = layout_.topDown ? fileRow : height_ - 1 - fileRow;
    return pixels_.data() + top * width_;
  }

  void DecodeRows() {
    const std::size_t stride = (width_ * layout_.bitCount + 31) / 32 * 4;
    const auto palette = PaletteWords(file_, layout_, words_);
    const SourceMasks masks = MasksOf(file_, layout_);
    const SourceChannel red(masks.red), green(masks.green), blue(masks.blue);
    for (std::size_t y = 0; y < height_; ++y) {
      const Byte* row = file_ + layout_.pixelOffset + y * stride;
      std::uint32_t* out = OutputRow(y);
      switch (layout_.bitCount) {
        case 24:
          DecodeTrueColourRow(row, out);
          break;
        case 16:
        case 32:
          DecodeMaskedRow(row, out, red, green, blue);
          break;
        default:
          DecodeIndexedRow(row, out, palette);
      }
    }
  }

  void DecodeTrueColourRow(const Byte* row, std::uint32_t* out) const {
    std::size_t x = 0;
    if (words_.IsRgb888()) {
      // Four pixels from three word reads: the bandwidth-bound path of large pictures.
      for (; x + 4 <= width_; x += 4) {
        const Byte* group = row + 3 * x;
        const std::uint32_t a = Read32(group), b = Read32(group + 4), c = Read32(group + 8);
        out[x] = a & 0xFFFFFF;
        out[x + 1] = a >> 24 | (b & 0xFFFF) << 8;
        out[x + 2] = b >> 16 | (c & 0xFF) << 16;
        out[x + 3] = c >> 8;
      }
    }
    for (; x < width_; ++x) {
      const Byte* pixel = row + 3 * x;
      out[x] = words_.Word(pixel[2], pixel[1], pixel[0]);
    }
  }

  void DecodeMaskedRow(const Byte* row, std::uint32_t* out, const SourceChannel& red,
                       const SourceChannel& green, const SourceChannel& blue) const {
    const std::size_t step = layout_.bitCount / 8;
    for (std::size_t x = 0; x < width_; ++x, row += step) {
      const std::uint32_t pixel = step == 2 ? row[0] | row[1] << 8 : Read32(row);
      out[x] = words_.Word(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
    }
  }

  void DecodeIndexedRow(const Byte* row, std::uint32_t* out,
                        const std::array<std::uint32_t, 256>& palette) const {
    const unsigned bits = layout_.bitCount;
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < width_; ++x) {
      const unsigned shift = 8 - bits * (1 + x % perByte);
      out[x] = palette[(row[x / perByte] >> shift) & mask];
    }
  }

  // Run-length data is drawn into a plane of palette indexes (rows bottom-up, as stored), then
  // coloured.
  void DecodeRunLength() {
    std::vector<Byte> indexes(width_ * height_, 0);
    RunLengthInto(indexes);
    const auto palette = PaletteWords(file_, layout_, words_);
    for (std::size_t y = 0; y < height_; ++y) {
      const Byte* row = indexes.data() + y * width_;
      std::uint32_t* out = OutputRow(y);
      for (std::size_t x = 0; x < width_; ++x) {
        out[x] = palette[row[x]];
      }
    }
  }

  void RunLengthInto(std::vector<Byte>& indexes) const {
    const bool nibbles = layout_.compression == kBiRle4;
    const Byte* data = file_ + layout_.pixelOffset;
    const std::size_t size = layout_.pixelSize;
    std::size_t at = 0, x = 0, y = 0;
    const auto put = [&](Byte index) {
      if (x < width_ && y < height_) {
        indexes[y * width_ + x] = index;
      }
      ++x;
    };
    while (at + 2 <= size && y < height_) {
      const std::size_t count = data[at];
      const Byte value = data[at + 1];
      at += 2;
      if (count > 0) {
        for (std::size_t i = 0; i < count && x < width_; ++i) {
          put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        }
      } else if (value == 0) {
        x = 0;
        ++y;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        if (at + 2 > size) {
          return;
        }
        x += data[at];
        y += data[at + 1];
        at += 2;
      } else {
        const std::size_t bytes =
            std::min<std::size_t>(nibbles ? (value + 1u) / 2 : value, size - at);
        for (std::size_t i = 0; i < value && (nibbles ? i / 2 : i) < bytes; ++i) {
          const Byte byte = data[at + (nibbles ? i / 2 : i)];
          put(nibbles ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
        }
        at += (bytes + 1) / 2 * 2;  // absolute runs end on a 16-bit boundary
      }
    }
  }

  const Byte* file_;
  const BitmapLayout& layout_;
  OutputWords words_;
  std::span<std::uint32_t> pixels_;
  std::size_t width_;
  std::size_t height_;
};

}  // namespace

void DecodeBitmapPixels(std::string_view file, const BitmapLayout& layout,
                        const PixelFormat& format, std::span<std::uint32_t> pixels) {
  Decoder(file, layout, format, pixels).Run();
}

std::optional<DecodedBitmap> DecodeBitmap(std::string_view file, const PixelFormat& format) {
  const std::optional<BitmapLayout> layout = ReadBitmapLayout(file);
  if (!layout || std::uint64_t(layout->width) * std::uint64_t(layout->height) > kMaxDecodedPixels) {
    return std::nullopt;
  }
  DecodedBitmap bitmap{.width = layout->width, .height = layout->height, .pixels = {}};
  bitmap.pixels.resize(std::size_t(layout->width) * std::size_t(layout->height));
  DecodeBitmapPixels(file, *layout, format, bitmap.pixels);
  return bitmap;
}

}  // namespace fondex::platform::posix
