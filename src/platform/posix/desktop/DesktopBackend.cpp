#include "platform/posix/desktop/DesktopBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

int ProfileInteger(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t");
  int value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && value < 1000; ++at) {
    value = value * 10 + (text[at] - '0');
  }
  return value;
}

}  // namespace

WallpaperStyle StyleFromProfile(std::string_view tileWallpaper, std::string_view wallpaperStyle) {
  if (ProfileInteger(tileWallpaper) == 1) {
    return WallpaperStyle::kTiled;
  }
  switch (ProfileInteger(wallpaperStyle)) {
    case 2:
      return WallpaperStyle::kStretched;
    case 6:
      return WallpaperStyle::kFitted;
    case 10:
      return WallpaperStyle::kFilled;
    default:
      return WallpaperStyle::kCentred;
  }
}

ProfileStyle ProfileValuesOf(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return {"1", "0"};
    case WallpaperStyle::kStretched:
      return {"0", "2"};
    case WallpaperStyle::kFitted:
      return {"0", "6"};
    case WallpaperStyle::kFilled:
      return {"0", "10"};
    case WallpaperStyle::kCentred:
      break;
  }
  return {"0", "0"};
}

std::optional<WallpaperStyle> StyleOfWord(std::string_view word,
                                          const char* (*wordOf)(WallpaperStyle)) {
  for (const WallpaperStyle style :
       {WallpaperStyle::kCentred, WallpaperStyle::kTiled, WallpaperStyle::kStretched,
        WallpaperStyle::kFitted, WallpaperStyle::kFilled}) {
    if (word == wordOf(style)) {
      return style;
    }
  }
  return std::nullopt;
}

const char* StyleModeName(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return "tile";
    case WallpaperStyle::kStretched:
      return "stretch";
    case WallpaperStyle::kFitted:
      return "fit";
    case WallpaperStyle::kFilled:
      return "fill";
    case WallpaperStyle::kCentred:
      break;
  }
  return "center";
}

}  // namespace fondex::platform::posix::desktop
