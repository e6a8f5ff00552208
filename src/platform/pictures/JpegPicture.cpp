// JPEG pictures through libjpeg(-turbo), decoded a few rows at a time straight into the words
// asked for.
#include <bit>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jerror.h>
#include <jpeglib.h>

#include <array>
#include <cstring>

#include "platform/pictures/LibraryPictures.h"

namespace fondex::platform::posix {
namespace {

using Byte = std::uint8_t;

constexpr int kMaxSegments = 4096;
constexpr std::size_t kInputChunk = 65536;
// Ordinary progressive pictures take about ten scans; each scan costs a pass over the whole
// picture, so a file of thousands of tiny scans would take minutes.
constexpr int kMaxScans = 64;

// Start-of-frame markers of what the library decodes: baseline, extended and progressive
// Huffman-coded pictures.
bool IsDecodableFrame(Byte marker) {
  return marker == 0xC0 || marker == 0xC1 || marker == 0xC2;
}

// Markers without a length.
bool IsStandalone(Byte marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

std::uint32_t BigEndian16(const Byte* at) {
  return std::uint32_t{at[0]} << 8 | at[1];
}

// The frame's sides, when it is one the library decodes into 8-bit grey, colour or CMYK ink.
std::optional<PictureHeader> FrameHeader(ByteSource& source, std::uint64_t segment,
                                         std::uint32_t length) {
  std::array<Byte, 6> frame{};
  if (length < 8 || !source.ReadAt(segment + 4, frame)) {
    return std::nullopt;
  }
  const std::int32_t height = static_cast<std::int32_t>(BigEndian16(&frame[1]));
  const std::int32_t width = static_cast<std::int32_t>(BigEndian16(&frame[3]));
  const bool components = frame[5] == 1 || frame[5] == 3 || frame[5] == 4;
  if (frame[0] != 8 || !components || height < 1 || width < 1 || height > kMaxPictureSide ||
      width > kMaxPictureSide) {
    return std::nullopt;
  }
  return PictureHeader{.kind = PictureKind::kJpeg, .width = width, .height = height};
}

// The file ends with the end-of-picture marker.
bool EndsWithEndMarker(ByteSource& source) {
  std::array<Byte, 2> end{};
  return source.Size() >= 4 && source.ReadAt(source.Size() - 2, end) && end[0] == 0xFF &&
         end[1] == 0xD9;
}

struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// A warning means damaged data, which is refused: the decoding ends at once rather than going on
// over every scan that follows.
void StopAtWarning(j_common_ptr info, int level) {
  if (level < 0) {
    ++info->err->num_warnings;
    info->err->error_exit(info);
  }
}

// Called as the library goes through the file's scans.
void CountScans(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    info->err->msg_code = JERR_UNKNOWN_MARKER;
    info->err->error_exit(info);
  }
}

// CMYK ink as the library gives it, four bytes a pixel, turned in place into 0x00RRGGBB words.
// Adobe's pictures (with its marker) store the ink inverted.
void InkToWords(std::span<std::uint32_t> words, bool inverted) {
  for (std::uint32_t& word : words) {
    std::array<Byte, 4> ink{};
    std::memcpy(ink.data(), &word, ink.size());
    const auto channel = [&](Byte colour) {
      const std::uint32_t c = inverted ? colour : 255u - colour;
      const std::uint32_t k = inverted ? ink[3] : 255u - ink[3];
      return (c * k + 127) / 255;
    };
    word = channel(ink[0]) << 16 | channel(ink[1]) << 8 | channel(ink[2]);
  }
}

void PrintNothing(j_common_ptr) {}

// The library's input, read from the source in chunks up to the file's end.
struct SourceInput {
  jpeg_source_mgr manager;
  ByteSource* source;
  std::uint64_t offset;
  std::array<Byte, kInputChunk> chunk;
};

void StartInput(j_decompress_ptr) {}
void EndInput(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
  auto* input = reinterpret_cast<SourceInput*>(info->src);
  const std::size_t count = input->source->ReadSome(input->offset, input->chunk);
  if (count == 0) {
    info->err->msg_code = JERR_INPUT_EOF;
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  }
  input->offset += count;
  input->manager.next_input_byte = input->chunk.data();
  input->manager.bytes_in_buffer = count;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  auto* input = reinterpret_cast<SourceInput*>(info->src);
  if (count <= 0) {
    return;
  }
  const auto skip = static_cast<std::size_t>(count);
  if (skip <= input->manager.bytes_in_buffer) {
    input->manager.next_input_byte += skip;
    input->manager.bytes_in_buffer -= skip;
    return;
  }
  input->offset += skip - input->manager.bytes_in_buffer;
  input->manager.bytes_in_buffer = 0;
}

class JpegReader : public PictureReader {
 public:
  JpegReader(ByteSource& source, const PictureHeader& header, const PixelFormat& format)
      : PictureReader(header.width, header.height), words_(format) {
    info_.err = jpeg_std_error(&error_.manager);
    error_.manager.error_exit = &JumpOut;
    error_.manager.emit_message = &StopAtWarning;
    error_.manager.output_message = &PrintNothing;
    input_.source = &source;
    input_.offset = 0;
    input_.manager = {.next_input_byte = nullptr,
                      .bytes_in_buffer = 0,
                      .init_source = &StartInput,
                      .fill_input_buffer = &FillInput,
                      .skip_input_data = &SkipInput,
                      .resync_to_restart = &jpeg_resync_to_restart,
                      .term_source = &EndInput};
  }
  ~JpegReader() override {
    if (created_) {
      jpeg_destroy_decompress(&info_);
    }
  }

  // Reads the headers and starts decoding; false when the library refuses them or they do not
  // say what the check read.
  bool Start() {
    if (setjmp(error_.jump) != 0) {
      return false;
    }
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.src = &input_.manager;
    // A progressive picture keeps all its coefficients: past the bound the library refuses.
    info_.mem->max_memory_to_use = static_cast<long>(kMaxDecoderBytes);
    progress_.progress_monitor = &CountScans;
    info_.progress = &progress_;
    if (jpeg_read_header(&info_, TRUE) != JPEG_HEADER_OK) {
      return false;
    }
    ink_ = info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
    // Four bytes per pixel, laid out as a 0x??RRGGBB word of this machine, or CMYK ink.
    info_.out_color_space = ink_                                         ? JCS_CMYK
                            : std::endian::native == std::endian::little ? JCS_EXT_BGRX
                                                                         : JCS_EXT_XRGB;
    jpeg_start_decompress(&info_);
    return static_cast<std::int32_t>(info_.output_width) == Width() &&
           static_cast<std::int32_t>(info_.output_height) == Height() &&
           info_.output_components == 4;
  }

  bool ReadRows(std::span<std::uint32_t> words) override {
    const std::size_t width = static_cast<std::size_t>(Width());
    const std::size_t rows = words.size() / width;
    if (failed_ || rows > info_.output_height - info_.output_scanline) {
      return false;
    }
    if (setjmp(error_.jump) != 0) {
      failed_ = true;
      return false;
    }
    for (std::size_t done = 0; done < rows;) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(words.data() + done * width);
      done += jpeg_read_scanlines(&info_, &row, 1);
    }
    if (info_.output_scanline == info_.output_height) {
      jpeg_finish_decompress(&info_);
    }
    failed_ = error_.manager.num_warnings != 0;
    if (ink_) {
      InkToWords(words, info_.saw_Adobe_marker != 0);
    }
    words_.FromRgb888(words);
    return !failed_;
  }

 private:
  OutputWords words_;
  ErrorJump error_{};
  SourceInput input_{};
  jpeg_decompress_struct info_{};
  jpeg_progress_mgr progress_{};
  bool created_ = false;
  bool ink_ = false;
  bool failed_ = false;
};

}  // namespace

std::optional<PictureHeader> CheckJpeg(ByteSource& source) {
  std::array<Byte, 4> marker{};
  std::optional<PictureHeader> frame;
  std::uint64_t at = 2;
  if (!source.ReadAt(0, std::span(marker).first(2)) || marker[0] != 0xFF || marker[1] != 0xD8) {
    return std::nullopt;
  }
  for (int segment = 0; segment < kMaxSegments && source.ReadAt(at, marker); ++segment) {
    if (marker[0] != 0xFF) {
      return std::nullopt;
    }
    if (marker[1] == 0xFF || IsStandalone(marker[1])) {
      at += marker[1] == 0xFF ? 1 : 2;  // fill bytes before a marker
      continue;
    }
    const std::uint32_t length = BigEndian16(&marker[2]);
    if (length < 2 || at + 2 + length > source.Size()) {
      return std::nullopt;
    }
    if (marker[1] >= 0xC0 && marker[1] <= 0xCF && marker[1] != 0xC4 && marker[1] != 0xCC) {
      if (frame || !IsDecodableFrame(marker[1])) {
        return std::nullopt;
      }
      frame = FrameHeader(source, at, length);
      if (!frame) {
        return std::nullopt;
      }
    } else if (marker[1] == 0xDA) {
      return frame && EndsWithEndMarker(source) ? frame : std::nullopt;
    } else if (marker[1] == 0xD8 || marker[1] == 0xD9) {
      return std::nullopt;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::unique_ptr<PictureReader> OpenJpeg(ByteSource& source, const PixelFormat& format) {
  return StartReader<JpegReader>(source, CheckJpeg(source), format);
}

}  // namespace fondex::platform::posix
