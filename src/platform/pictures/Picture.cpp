#include "platform/pictures/Picture.h"

#include <array>

#include "platform/pictures/BitmapDecoder.h"
#include "platform/pictures/BitmapFile.h"
#include "platform/pictures/LibraryPictures.h"

namespace fondex::platform::posix {
namespace {

// A bitmap whose data would end beyond kMaxBitmapFileSize is not read.
std::optional<BitmapLayout> BitmapLayoutOf(ByteSource& source) {
  std::array<std::uint8_t, kBitmapHeadSize> head{};
  const std::size_t count = source.ReadSome(0, head);
  const auto layout = ReadBitmapLayout(
      std::string_view(reinterpret_cast<const char*>(head.data()), count), source.Size());
  return layout && BitmapDataEnd(*layout) <= kMaxBitmapFileSize ? layout : std::nullopt;
}

std::optional<PictureHeader> CheckBitmap(ByteSource& source) {
  const auto layout = BitmapLayoutOf(source);
  if (!layout) {
    return std::nullopt;
  }
  return PictureHeader{
      .kind = PictureKind::kBitmap, .width = layout->width, .height = layout->height};
}

std::unique_ptr<PictureReader> OpenBitmapFile(ByteSource& source, const PixelFormat& format) {
  const auto layout = BitmapLayoutOf(source);
  return layout ? OpenBitmap(source, *layout, format) : nullptr;
}

struct Format {
  PictureKind kind;
  std::string_view signature;  // the check looks further
  std::optional<PictureHeader> (*check)(ByteSource&);
  std::unique_ptr<PictureReader> (*open)(ByteSource&, const PixelFormat&);
};

using namespace std::string_view_literals;

const std::array<Format, 4> kFormats = {{
    {PictureKind::kBitmap, "BM"sv, &CheckBitmap, &OpenBitmapFile},
    {PictureKind::kJpeg, "\xFF\xD8"sv, &CheckJpeg, &OpenJpeg},
    {PictureKind::kPng, "\x89PNG\r\n\x1A\n"sv, &CheckPng, &OpenPng},
    {PictureKind::kWebp, "RIFF"sv, &CheckWebp, &OpenWebp},
}};

// The format whose signature the file starts with.
const Format* FormatOf(ByteSource& source, PictureFormats formats) {
  std::array<std::uint8_t, 8> start{};
  const std::size_t count = source.ReadSome(0, start);
  const std::string_view bytes(reinterpret_cast<const char*>(start.data()), count);
  for (const Format& format : kFormats) {
    if (formats == PictureFormats::kBitmapsOnly && format.kind != PictureKind::kBitmap) {
      continue;
    }
    if (bytes.starts_with(format.signature)) {
      return &format;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<PictureHeader> CheckPicture(ByteSource& source, PictureFormats formats) {
  const Format* format = FormatOf(source, formats);
  return format != nullptr ? format->check(source) : std::nullopt;
}

std::unique_ptr<PictureReader> OpenPicture(ByteSource& source, const PixelFormat& format,
                                           PictureFormats formats) {
  const Format* found = FormatOf(source, formats);
  return found != nullptr ? found->open(source, format) : nullptr;
}

std::optional<DecodedBitmap> DecodePicture(ByteSource& source, const PixelFormat& format,
                                           PictureFormats formats) {
  const std::unique_ptr<PictureReader> reader = OpenPicture(source, format, formats);
  if (!reader) {
    return std::nullopt;
  }
  DecodedBitmap picture{.width = reader->Width(), .height = reader->Height(), .pixels = {}};
  picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
  if (!reader->ReadRows(picture.pixels)) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace fondex::platform::posix
