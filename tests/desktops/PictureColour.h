#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "e2e/RandrMonitors.h"
#include "e2e/VirtualScreen.h"
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

// The colour (0xRRGGBB) of a captured pixel; above 0xFFFFFF outside the image.
inline std::uint32_t ColourAt(const e2e::Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
  if (image.rgb.size() < at + 3) {
    return 0xFF000000;
  }
  return static_cast<std::uint32_t>(image.rgb[at] << 16 | image.rgb[at + 1] << 8 |
                                    image.rgb[at + 2]);
}

// A colour as a compositor draws it: each component within 16 of the picture's.
inline bool NearColour(std::uint32_t seen, std::uint32_t colour) {
  for (const int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>(seen >> shift & 0xFF) -
                 static_cast<int>(colour >> shift & 0xFF)) > 16) {
      return false;
    }
  }
  return seen <= 0xFFFFFF;
}

// Whether the screen shows the picture stretched over the columns [left, left + width), looked at
// at those shares of the width, at the height y.
inline bool ShowsStretched(const e2e::Image& screen, int left, int width, int y,
                           const std::filesystem::path& picture,
                           std::initializer_list<double> shares) {
  for (const double share : shares) {
    const std::uint32_t colour =
        ColourHalfWayDown(picture, [&](int across) { return static_cast<int>(across * share); });
    if (!NearColour(ColourAt(screen, left + static_cast<int>(width * share), y), colour)) {
      return false;
    }
  }
  return true;
}

// Whether each monitor shows its picture stretched over it, at a quarter and three quarters of
// its width, at the height y.
inline bool MonitorsShowStretched(const e2e::Image& screen,
                                  const std::vector<e2e::Monitor>& monitors,
                                  const std::vector<std::string>& pictures, int y) {
  for (std::size_t i = 0; i < monitors.size() && i < pictures.size(); ++i) {
    if (!ShowsStretched(screen, monitors[i].left, monitors[i].width, y, pictures[i],
                        {0.25, 0.75})) {
      return false;
    }
  }
  return monitors.size() == pictures.size();
}

}  // namespace fondex::desktops
