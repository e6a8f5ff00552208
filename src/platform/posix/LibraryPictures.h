#pragma once

#include <memory>
#include <optional>

#include "platform/posix/PictureReader.h"
#include "platform/posix/PictureSource.h"
#include "platform/posix/PixelFormat.h"

namespace fondex::platform::posix {

// JPEG, PNG and WebP pictures through their established libraries. Each check reads only the
// headers and refuses what the library could not show whole: a bad signature, a side of 0 or
// over kMaxPictureSide, data that does not fit in the file. Each reader refuses bad data and
// data that ends early, and never reads past the data its headers declare.

std::optional<PictureHeader> CheckJpeg(ByteSource& source);
std::unique_ptr<PictureReader> OpenJpeg(ByteSource& source, const PixelFormat& format);

std::optional<PictureHeader> CheckPng(ByteSource& source);
std::unique_ptr<PictureReader> OpenPng(ByteSource& source, const PixelFormat& format);

std::optional<PictureHeader> CheckWebp(ByteSource& source);
std::unique_ptr<PictureReader> OpenWebp(ByteSource& source, const PixelFormat& format);

}  // namespace fondex::platform::posix
