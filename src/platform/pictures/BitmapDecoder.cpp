#include "platform/pictures/BitmapDecoder.h"

#include <algorithm>
#include <array>
#include <bit>

#include "platform/pictures/Picture.h"

namespace fondex::platform::posix {
namespace {

using Byte = std::uint8_t;
using Palette = std::array<std::uint32_t, 256>;

std::uint32_t Read32(const Byte* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

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

SourceMasks MasksOf(ByteSource& source, const BitmapLayout& layout) {
  if (layout.compression == kBiBitFields) {
    std::array<Byte, 12> masks{};
    source.ReadAt(layout.masksOffset, masks);  // inside the headers, which the check read
    return {Read32(masks.data()), Read32(masks.data() + 4), Read32(masks.data() + 8)};
  }
  if (layout.bitCount == 16) {
    return {0x7C00, 0x03E0, 0x001F};
  }
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

// 256 entries whatever the palette's size: an index past it gives black.
Palette PaletteWords(ByteSource& source, const BitmapLayout& layout, const OutputWords& words) {
  Palette palette{};
  palette.fill(words.Word(0, 0, 0));
  const std::uint32_t count = std::min<std::uint32_t>(layout.colorCount, 256);
  std::vector<Byte> entries(std::size_t{count} * layout.paletteEntrySize);
  if (!source.ReadAt(layout.paletteOffset, entries)) {
    return palette;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const Byte* entry = entries.data() + i * layout.paletteEntrySize;
    palette[i] = words.Word(entry[2], entry[1], entry[0]);
  }
  return palette;
}

class BitmapReader : public PictureReader {
 public:
  BitmapReader(ByteSource& source, const BitmapLayout& layout, const PixelFormat& format)
      : PictureReader(layout.width, layout.height),
        source_(source),
        layout_(layout),
        words_(format),
        palette_(PaletteWords(source, layout, words_)),
        masks_(MasksOf(source, layout)),
        red_(masks_.red),
        green_(masks_.green),
        blue_(masks_.blue),
        width_(static_cast<std::size_t>(layout.width)),
        height_(static_cast<std::size_t>(layout.height)),
        stride_((width_ * layout.bitCount + 31) / 32 * 4) {}

  bool ReadRows(std::span<std::uint32_t> words) override {
    const std::size_t rows = words.size() / width_;
    if (rows > height_ - nextRow_) {
      return false;
    }
    const bool read = IsRunLength() ? ColourRunLengthRows(rows, words.data())
                                    : DecodeStoredRows(rows, words.data());
    nextRow_ += rows;
    return read;
  }

 private:
  bool IsRunLength() const {
    return layout_.compression == kBiRle8 || layout_.compression == kBiRle4;
  }

  // Where a row, counted from the top, is stored among the file's rows.
  std::size_t FileRowOf(std::size_t top) const { return layout_.topDown ? top : height_ - 1 - top; }

  // The band's file rows are next to each other: one read.
  bool DecodeStoredRows(std::size_t rows, std::uint32_t* out) {
    const std::size_t first = std::min(FileRowOf(nextRow_), FileRowOf(nextRow_ + rows - 1));
    band_.resize(rows * stride_);
    if (!source_.ReadAt(layout_.pixelOffset + std::uint64_t{first} * stride_, band_)) {
      return false;
    }
    for (std::size_t i = 0; i < rows; ++i) {
      DecodeRow(band_.data() + (FileRowOf(nextRow_ + i) - first) * stride_, out + i * width_);
    }
    return true;
  }

  void DecodeRow(const Byte* row, std::uint32_t* out) const {
    switch (layout_.bitCount) {
      case 24:
        DecodeTrueColourRow(row, out);
        break;
      case 16:
      case 32:
        DecodeMaskedRow(row, out);
        break;
      default:
        DecodeIndexedRow(row, out);
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

  void DecodeMaskedRow(const Byte* row, std::uint32_t* out) const {
    const std::size_t step = layout_.bitCount / 8;
    for (std::size_t x = 0; x < width_; ++x, row += step) {
      const std::uint32_t pixel = step == 2 ? row[0] | row[1] << 8 : Read32(row);
      out[x] = words_.Word(red_.Of(pixel), green_.Of(pixel), blue_.Of(pixel));
    }
  }

  void DecodeIndexedRow(const Byte* row, std::uint32_t* out) const {
    const unsigned bits = layout_.bitCount;
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < width_; ++x) {
      const unsigned shift = 8 - bits * (1 + x % perByte);
      out[x] = palette_[(row[x / perByte] >> shift) & mask];
    }
  }

  // Run-length data is drawn into a plane of palette indexes (rows bottom-up, as stored) on the
  // first request, then coloured band by band.
  bool ColourRunLengthRows(std::size_t rows, std::uint32_t* out) {
    if (indexes_.empty()) {
      std::vector<Byte> data(static_cast<std::size_t>(layout_.pixelSize));
      if (!source_.ReadAt(layout_.pixelOffset, data)) {
        return false;
      }
      indexes_.assign(width_ * height_, 0);
      RunLengthInto(data);
    }
    for (std::size_t i = 0; i < rows; ++i) {
      const Byte* row = indexes_.data() + FileRowOf(nextRow_ + i) * width_;
      std::transform(row, row + width_, out + i * width_,
                     [this](Byte index) { return palette_[index]; });
    }
    return true;
  }

  void RunLengthInto(const std::vector<Byte>& data) {
    const bool nibbles = layout_.compression == kBiRle4;
    const std::size_t size = data.size();
    std::size_t at = 0, x = 0, y = 0;
    const auto put = [&](Byte index) {
      if (x < width_ && y < height_) {
        indexes_[y * width_ + x] = index;
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

  ByteSource& source_;
  BitmapLayout layout_;
  OutputWords words_;
  Palette palette_;
  SourceMasks masks_;
  SourceChannel red_, green_, blue_;
  std::size_t width_;
  std::size_t height_;
  std::size_t stride_;
  std::size_t nextRow_ = 0;
  std::vector<Byte> band_;
  std::vector<Byte> indexes_;
};

}  // namespace

std::unique_ptr<PictureReader> OpenBitmap(ByteSource& source, const BitmapLayout& layout,
                                          const PixelFormat& format) {
  if (!Decodable(layout.width, layout.height)) {
    return nullptr;
  }
  return std::make_unique<BitmapReader>(source, layout, format);
}

std::optional<DecodedBitmap> DecodeBitmap(std::string_view file, const PixelFormat& format) {
  MemorySource source(file);
  return DecodePicture(source, format, PictureFormats::kBitmapsOnly);
}

}  // namespace fondex::platform::posix
