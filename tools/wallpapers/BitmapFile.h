#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace fondex::tools {

// The contents of an uncompressed Windows bitmap file (bottom-up rows, info header) of the
// picture at 8 bits per pixel with a palette, 24 or 32 bits. At 8 bits the picture may hold at
// most 256 colours. Nothing for another depth, too many colours or an empty picture.
std::optional<std::string> BitmapFileOf(const QImage& picture, int bitsPerPixel);

}  // namespace fondex::tools
