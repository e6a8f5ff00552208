#pragma once

#include <cstdint>
#include <vector>

#include "platform/posix/BitmapDecoder.h"
#include "platform/posix/desktop/DesktopBackend.h"

namespace fondex::platform::posix::desktop {

// The whole screen's pixel words, top row first: the picture centred (cut when larger than the
// screen, margins in `background`), tiled from the top-left corner, or stretched over the screen
// (each screen pixel takes the picture's pixel under it).
std::vector<std::uint32_t> ComposeScreen(const DecodedBitmap& picture, WallpaperStyle style,
                                         int width, int height, std::uint32_t background);

}  // namespace fondex::platform::posix::desktop
