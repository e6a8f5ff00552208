#pragma once

#include <memory>
#include <optional>

#include "platform/pictures/PictureReader.h"
#include "platform/pictures/PictureSource.h"
#include "platform/pictures/PixelFormat.h"

namespace fondex::platform::posix {

// JPEG, PNG and WebP pictures through their established libraries. Each check reads only the
// headers and refuses what the library could not show whole: a bad signature, a side of 0 or
// over kMaxPictureSide, data that does not fit in the file. Each reader refuses bad data and
// data that ends early, and never reads past the data its headers declare.

// A reader of a picture its check accepted, once the library has read the headers itself
// (Reader::Start); nothing for a picture that is not Decodable or whose headers the library
// refuses.
template <typename Reader>
std::unique_ptr<PictureReader> StartReader(ByteSource& source,
                                           const std::optional<PictureHeader>& header,
                                           const PixelFormat& format) {
  if (!header || !Decodable(header->width, header->height)) {
    return nullptr;
  }
  auto reader = std::make_unique<Reader>(source, *header, format);
  return reader->Start() ? std::move(reader) : nullptr;
}

std::optional<PictureHeader> CheckJpeg(ByteSource& source);
std::unique_ptr<PictureReader> OpenJpeg(ByteSource& source, const PixelFormat& format);

std::optional<PictureHeader> CheckPng(ByteSource& source);
std::unique_ptr<PictureReader> OpenPng(ByteSource& source, const PixelFormat& format);

std::optional<PictureHeader> CheckWebp(ByteSource& source);
std::unique_ptr<PictureReader> OpenWebp(ByteSource& source, const PixelFormat& format);

}  // namespace fondex::platform::posix
