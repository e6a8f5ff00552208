#pragma once

#include <memory>
#include <optional>

#include "platform/pictures/PictureReader.h"
#include "platform/pictures/PictureSource.h"
#include "platform/pictures/PixelFormat.h"

namespace fondex::platform::posix {

// The formats a check accepts: bitmaps alone, or JPEG, PNG and WebP pictures as well.
enum class PictureFormats { kBitmapsOnly, kAll };

// The header of a picture the desktop can show, checked as strictly for every format: its
// signature, sane dimensions, and its data inside the file. Only the headers are read.
std::optional<PictureHeader> CheckPicture(ByteSource& source, PictureFormats formats);

// A reader of the picture's rows, for a picture that passes the check and is not larger than
// kMaxDecodedPixels; nothing otherwise. The source must outlive the reader.
std::unique_ptr<PictureReader> OpenPicture(ByteSource& source, const PixelFormat& format,
                                           PictureFormats formats = PictureFormats::kAll);

// The whole picture, read through OpenPicture; nothing when it cannot be decoded.
std::optional<DecodedBitmap> DecodePicture(ByteSource& source, const PixelFormat& format,
                                           PictureFormats formats = PictureFormats::kAll);

}  // namespace fondex::platform::posix
