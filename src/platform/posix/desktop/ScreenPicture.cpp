#include "platform/posix/desktop/ScreenPicture.h"

#include <algorithm>

namespace fondex::platform::posix::desktop {
namespace {

using Words = std::vector<std::uint32_t>;

struct Size {
  std::int64_t width;
  std::int64_t height;
};

void Centre(const DecodedBitmap& picture, Size screen, Words& out) {
  const std::int64_t left = (screen.width - picture.width) / 2;
  const std::int64_t top = (screen.height - picture.height) / 2;
  const std::int64_t firstX = std::max<std::int64_t>(left, 0);
  const std::int64_t endX = std::min<std::int64_t>(left + picture.width, screen.width);
  const std::int64_t endY = std::min<std::int64_t>(top + picture.height, screen.height);
  for (std::int64_t y = std::max<std::int64_t>(top, 0); y < endY && firstX < endX; ++y) {
    const auto from = picture.pixels.begin() + (y - top) * picture.width + (firstX - left);
    std::copy(from, from + (endX - firstX), out.begin() + y * screen.width + firstX);
  }
}

void Tile(const DecodedBitmap& picture, Size screen, Words& out) {
  for (std::int64_t y = 0; y < screen.height; ++y) {
    const auto row = picture.pixels.begin() + (y % picture.height) * picture.width;
    for (std::int64_t x = 0; x < screen.width; x += picture.width) {
      const std::int64_t count = std::min<std::int64_t>(picture.width, screen.width - x);
      std::copy(row, row + count, out.begin() + y * screen.width + x);
    }
  }
}

void Stretch(const DecodedBitmap& picture, Size screen, Words& out) {
  std::vector<std::int64_t> columns(static_cast<std::size_t>(screen.width));
  for (std::int64_t x = 0; x < screen.width; ++x) {
    columns[x] = x * picture.width / screen.width;
  }
  for (std::int64_t y = 0; y < screen.height; ++y) {
    const auto row = picture.pixels.begin() + y * picture.height / screen.height * picture.width;
    auto to = out.begin() + y * screen.width;
    for (std::int64_t column : columns) {
      *to++ = row[column];
    }
  }
}

}  // namespace

std::vector<std::uint32_t> ComposeScreen(const DecodedBitmap& picture, WallpaperStyle style,
                                         int width, int height, std::uint32_t background) {
  const Size screen{std::max(width, 0), std::max(height, 0)};
  Words out(static_cast<std::size_t>(screen.width * screen.height), background);
  switch (style) {
    case WallpaperStyle::kCentred:
      Centre(picture, screen, out);
      break;
    case WallpaperStyle::kTiled:
      Tile(picture, screen, out);
      break;
    case WallpaperStyle::kStretched:
      Stretch(picture, screen, out);
      break;
  }
  return out;
}

}  // namespace fondex::platform::posix::desktop
