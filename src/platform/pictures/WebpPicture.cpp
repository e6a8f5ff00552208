// WebP pictures through libwebp, which decodes a picture whole: the file's data is read once,
// decoded into one buffer laid over black, and handed out a band at a time.
#include <webp/decode.h>

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "platform/pictures/LibraryPictures.h"

namespace fondex::platform::posix {
namespace {

using Byte = std::uint8_t;

constexpr std::size_t kRiffHeader = 12;  // "RIFF", the size of what follows, "WEBP"
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFeatureBytes = 64;  // enough for the first chunk's headers
constexpr int kMaxChunks = 4096;

std::uint32_t LittleEndian32(const Byte* at) {
  return at[0] | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
         std::uint32_t{at[3]} << 24;
}

// The bytes the container declares, when they lie inside the file.
std::optional<std::uint64_t> ContainerSize(ByteSource& source) {
  std::array<Byte, kRiffHeader> riff{};
  if (!source.ReadAt(0, riff) || !std::equal(riff.begin(), riff.begin() + 4, "RIFF") ||
      !std::equal(riff.begin() + 8, riff.end(), "WEBP")) {
    return std::nullopt;
  }
  const std::uint64_t size = std::uint64_t{LittleEndian32(&riff[4])} + 8;
  if (size < kRiffHeader + kChunkHeader || size > source.Size()) {
    return std::nullopt;
  }
  return size;
}

// Every chunk lies inside the container, and one of them holds picture data.
bool ChunksFit(ByteSource& source, std::uint64_t size) {
  std::array<Byte, kChunkHeader> chunk{};
  bool picture = false;
  std::uint64_t at = kRiffHeader;
  for (int count = 0; count < kMaxChunks && at < size; ++count) {
    if (at + kChunkHeader > size || !source.ReadAt(at, chunk)) {
      return false;
    }
    const std::uint64_t length = LittleEndian32(&chunk[4]);
    if (at + kChunkHeader + length > size) {
      return false;
    }
    picture = picture || std::equal(chunk.begin(), chunk.begin() + 4, "VP8 ") ||
              std::equal(chunk.begin(), chunk.begin() + 4, "VP8L");
    at += kChunkHeader + length + length % 2;
  }
  return picture && at >= size;
}

// Four bytes per pixel, laid out as a 0xAARRGGBB word of this machine, colours already
// multiplied by their opacity: the picture over black.
constexpr WEBP_CSP_MODE kWordMode =
    std::endian::native == std::endian::little ? MODE_bgrA : MODE_Argb;

class WebpReader : public PictureReader {
 public:
  WebpReader(const PictureHeader& header, std::vector<std::uint32_t> pixels,
             const PixelFormat& format)
      : PictureReader(header.width, header.height), pixels_(std::move(pixels)), words_(format) {}

  bool ReadRows(std::span<std::uint32_t> words) override {
    const std::size_t offset = next_ * static_cast<std::size_t>(Width());
    if (words.size() > pixels_.size() - offset) {
      return false;
    }
    std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(offset), words.size(), words.begin());
    next_ += words.size() / static_cast<std::size_t>(Width());
    words_.FromRgb888(words);
    return true;
  }

 private:
  std::vector<std::uint32_t> pixels_;
  OutputWords words_;
  std::size_t next_ = 0;
};

// What the first chunk's headers say of the picture.
std::optional<WebPBitstreamFeatures> FeaturesOf(ByteSource& source, std::uint64_t size) {
  std::array<Byte, kFeatureBytes> start{};
  WebPBitstreamFeatures features{};
  const std::size_t count =
      source.ReadSome(0, std::span(start).first(std::min<std::uint64_t>(kFeatureBytes, size)));
  if (WebPGetFeatures(start.data(), count, &features) != VP8_STATUS_OK) {
    return std::nullopt;
  }
  return features;
}

// The file's data, the picture, and for a lossless picture the library's own copy of it.
std::uint64_t DecodingBytes(ByteSource& source, const PictureHeader& header, std::uint64_t size) {
  const std::uint64_t picture = std::uint64_t(header.width) * std::uint64_t(header.height) * 4;
  const std::optional<WebPBitstreamFeatures> features = FeaturesOf(source, size);
  return size + picture * (features && features->format == 2 ? 2 : 1);
}

}  // namespace

std::optional<PictureHeader> CheckWebp(ByteSource& source) {
  const std::optional<std::uint64_t> size = ContainerSize(source);
  if (!size || !ChunksFit(source, *size)) {
    return std::nullopt;
  }
  const std::optional<WebPBitstreamFeatures> features = FeaturesOf(source, *size);
  if (!features || features->has_animation != 0 || features->width < 1 || features->height < 1 ||
      features->width > kMaxPictureSide || features->height > kMaxPictureSide) {
    return std::nullopt;
  }
  return PictureHeader{
      .kind = PictureKind::kWebp, .width = features->width, .height = features->height};
}

std::unique_ptr<PictureReader> OpenWebp(ByteSource& source, const PixelFormat& format) {
  const std::optional<PictureHeader> header = CheckWebp(source);
  if (!header || !Decodable(header->width, header->height) ||
      DecodingBytes(source, *header, *ContainerSize(source)) > kMaxDecoderBytes) {
    return nullptr;
  }
  std::vector<Byte> data(static_cast<std::size_t>(*ContainerSize(source)));
  std::vector<std::uint32_t> pixels(std::size_t(header->width) * std::size_t(header->height));
  if (!source.ReadAt(0, data)) {
    return nullptr;
  }
  WebPDecoderConfig config;
  if (WebPInitDecoderConfig(&config) == 0) {
    return nullptr;
  }
  config.output.colorspace = kWordMode;
  config.output.is_external_memory = 1;
  config.output.u.RGBA = {.rgba = reinterpret_cast<std::uint8_t*>(pixels.data()),
                          .stride = header->width * 4,
                          .size = pixels.size() * 4};
  const bool decoded = WebPDecode(data.data(), data.size(), &config) == VP8_STATUS_OK;
  WebPFreeDecBuffer(&config.output);
  if (!decoded) {
    return nullptr;
  }
  return std::make_unique<WebpReader>(*header, std::move(pixels), format);
}

}  // namespace fondex::platform::posix
