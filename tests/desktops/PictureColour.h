#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "platform/pictures/Picture.h"

namespace fondex::desktops {

// The colour (0xRRGGBB) of a picture file half-way down, at the column its width gives; above
// 0xFFFFFF when the file cannot be read.
inline std::uint32_t ColourHalfWayDown(const std::filesystem::path& file,
                                       const std::function<int(int width)>& column) {
  const auto source = platform::posix::FileSource::Open(file.string());
  const auto picture = source ? platform::posix::DecodePicture(*source, {}) : std::nullopt;
  if (!picture) {
    return 0xFF000000;
  }
  const int x = column(picture->width);
  return picture->pixels[static_cast<std::size_t>(picture->height / 2 * picture->width + x)] &
         0xFFFFFF;
}

}  // namespace fondex::desktops
