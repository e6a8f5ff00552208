#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/pictures/BitmapHeader.h"
#include "platform/pictures/PictureReader.h"
#include "platform/pictures/PictureSource.h"
#include "platform/pictures/PixelFormat.h"

namespace fondex::platform::posix {

// A reader of the rows of a bitmap whose layout ReadBitmapLayout gave. Only the rows asked for
// are read, except run-length data, which is read whole on the first request. Run-length data
// that stops early or jumps away leaves palette colour 0 behind; palette indexes past the
// palette give black. Nothing when the picture is too large.
std::unique_ptr<PictureReader> OpenBitmap(ByteSource& source, const BitmapLayout& layout,
                                          const PixelFormat& format);

// The picture of a bitmap file; nothing when it is not a loadable bitmap or is too large.
std::optional<DecodedBitmap> DecodeBitmap(std::string_view file, const PixelFormat& format);

}  // namespace fondex::platform::posix
