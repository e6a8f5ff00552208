// PNG pictures through libpng: rows are decoded one at a time straight into the words asked
// for; an interlaced picture, whose passes cover the whole picture, is decoded whole first.
#include <png.h>

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "platform/pictures/LibraryPictures.h"

namespace fondex::platform::posix {
namespace {

using Byte = std::uint8_t;

constexpr int kMaxChunksBeforeData = 4096;
constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kChunkFrame = 12;  // length, type, and the CRC after the data
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

std::uint32_t BigEndian32(const Byte* at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
         at[3];
}

bool IsType(const Byte* chunk, const char* type) {
  return std::equal(chunk + 4, chunk + 8, type);
}

// Bit depths each colour type allows.
bool DepthFits(Byte colourType, Byte depth) {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

std::optional<PictureHeader> ImageHeader(const std::array<Byte, 29>& start) {
  const Byte* fields = start.data() + 16;
  const auto width = static_cast<std::int64_t>(BigEndian32(fields));
  const auto height = static_cast<std::int64_t>(BigEndian32(fields + 4));
  if (BigEndian32(start.data() + 8) != 13 || !IsType(start.data() + 8, "IHDR") || width < 1 ||
      height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      !DepthFits(fields[9], fields[8]) || fields[10] != 0 || fields[11] != 0 || fields[12] > 1) {
    return std::nullopt;
  }
  return PictureHeader{.kind = PictureKind::kPng,
                       .width = static_cast<std::int32_t>(width),
                       .height = static_cast<std::int32_t>(height)};
}

// The chunks up to the first image data lie inside the file, a palette picture has its
// palette, and the file ends with the closing chunk.
bool ChunksFit(ByteSource& source, bool needsPalette) {
  static constexpr Byte kEnd[kChunkFrame] = {0,   0,   0,    0,    'I',  'E',
                                             'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  std::array<Byte, kChunkFrame> last{};
  if (source.Size() < kChunkFrame || !source.ReadAt(source.Size() - kChunkFrame, last) ||
      !std::equal(last.begin(), last.end(), kEnd)) {
    return false;
  }
  std::uint64_t at = kSignatureBytes;
  std::array<Byte, 8> chunk{};
  bool palette = false;
  for (int count = 0; count < kMaxChunksBeforeData && source.ReadAt(at, chunk); ++count) {
    const std::uint32_t length = BigEndian32(chunk.data());
    if (length > kMaxChunkLength || at + kChunkFrame + length > source.Size() ||
        IsType(chunk.data(), "IEND")) {
      return false;
    }
    if (IsType(chunk.data(), "IDAT")) {
      return palette || !needsPalette;
    }
    palette = palette || IsType(chunk.data(), "PLTE");
    at += kChunkFrame + length;
  }
  return false;
}

[[noreturn]] void JumpOut(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The library's input, read from the source in order; a read past the file's end is an error.
struct SourceInput {
  ByteSource* source;
  std::uint64_t offset;
};

void ReadInput(png_structp png, png_bytep data, png_size_t length) {
  auto* input = static_cast<SourceInput*>(png_get_io_ptr(png));
  if (!input->source->ReadAt(input->offset, std::span(data, length))) {
    png_error(png, "the data ends early");
  }
  input->offset += length;
}

// Words of 0xAARRGGBB laid over black.
void OverBlack(std::span<std::uint32_t> words) {
  for (std::uint32_t& word : words) {
    const std::uint32_t alpha = word >> 24;
    if (alpha != 0xFF) {
      const auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
      word = scale(word >> 16 & 0xFF) << 16 | scale(word >> 8 & 0xFF) << 8 | scale(word & 0xFF);
    }
  }
}

class PngReader : public PictureReader {
 public:
  PngReader(ByteSource& source, const PictureHeader& header, const PixelFormat& format)
      : PictureReader(header.width, header.height), words_(format), input_{&source, 0} {}
  ~PngReader() override {
    png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
  }

  // Reads the headers and sets the library to give four bytes per pixel, laid out as a
  // 0xAARRGGBB word of this machine; false when the library refuses them.
  bool Start() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &JumpOut, &IgnoreWarning);
    info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
    if (info_ == nullptr || setjmp(png_jmpbuf(png_)) != 0) {
      return false;
    }
    png_set_read_fn(png_, &input_, &ReadInput);
    png_set_user_limits(png_, kMaxPictureSide, kMaxPictureSide);
    png_read_info(png_, info_);
    png_set_expand(png_);
    png_set_scale_16(png_);
    png_set_gray_to_rgb(png_);
    const bool little = std::endian::native == std::endian::little;
    if (little) {
      png_set_bgr(png_);
    } else {
      png_set_swap_alpha(png_);
    }
    png_set_add_alpha(png_, 0xFF, little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    opaque_ = (png_get_color_type(png_, info_) & PNG_COLOR_MASK_ALPHA) == 0 &&
              png_get_valid(png_, info_, PNG_INFO_tRNS) == 0;
    passes_ = png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    return png_get_image_width(png_, info_) == static_cast<png_uint_32>(Width()) &&
           png_get_image_height(png_, info_) == static_cast<png_uint_32>(Height()) &&
           png_get_rowbytes(png_, info_) == static_cast<std::size_t>(Width()) * 4;
  }

  bool ReadRows(std::span<std::uint32_t> words) override {
    const std::size_t width = static_cast<std::size_t>(Width());
    const std::size_t rows = words.size() / width;
    if (failed_ || rows > static_cast<std::size_t>(Height()) - nextRow_) {
      return false;
    }
    failed_ = !(passes_ == 1 ? DecodeRows(words, rows) : CopyWholeRows(words, rows));
    nextRow_ += rows;
    if (!failed_) {
      if (!opaque_) {
        OverBlack(words);
      }
      words_.FromRgb888(words);
    }
    return !failed_;
  }

 private:
  bool DecodeRows(std::span<std::uint32_t> words, std::size_t rows) {
    if (setjmp(png_jmpbuf(png_)) != 0) {
      return false;
    }
    for (std::size_t i = 0; i < rows; ++i) {
      png_read_row(png_, reinterpret_cast<png_bytep>(words.data() + i * Width()), nullptr);
    }
    if (nextRow_ + rows == static_cast<std::size_t>(Height())) {
      png_read_end(png_, nullptr);
    }
    return true;
  }

  bool CopyWholeRows(std::span<std::uint32_t> words, std::size_t rows) {
    if (whole_.empty() && !DecodeWhole()) {
      return false;
    }
    const auto from = whole_.begin() + static_cast<std::ptrdiff_t>(nextRow_ * Width());
    std::copy(from, from + static_cast<std::ptrdiff_t>(rows * Width()), words.begin());
    return true;
  }

  bool DecodeWhole() {
    whole_.resize(static_cast<std::size_t>(Width()) * static_cast<std::size_t>(Height()));
    rows_.resize(static_cast<std::size_t>(Height()));
    for (std::size_t y = 0; y < rows_.size(); ++y) {
      rows_[y] = reinterpret_cast<png_bytep>(whole_.data() + y * Width());
    }
    if (setjmp(png_jmpbuf(png_)) != 0) {
      return false;
    }
    png_read_image(png_, rows_.data());
    png_read_end(png_, nullptr);
    return true;
  }

  OutputWords words_;
  SourceInput input_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  int passes_ = 1;
  bool opaque_ = true;
  std::size_t nextRow_ = 0;
  bool failed_ = false;
  std::vector<std::uint32_t> whole_;
  std::vector<png_bytep> rows_;
};

}  // namespace

std::optional<PictureHeader> CheckPng(ByteSource& source) {
  std::array<Byte, 29> start{};  // signature and the image header chunk's fields
  if (!source.ReadAt(0, start)) {
    return std::nullopt;
  }
  const std::optional<PictureHeader> header = ImageHeader(start);
  return header && ChunksFit(source, start[25] == 3) ? header : std::nullopt;
}

std::unique_ptr<PictureReader> OpenPng(ByteSource& source, const PixelFormat& format) {
  return StartReader<PngReader>(source, CheckPng(source), format);
}

}  // namespace fondex::platform::posix
