#include "options/WallpaperLayout.h"

#include "util/Paths.h"

namespace fondex::options {

const LayoutRow& RowOf(TDisposition layout) {
  return kLayouts.at(static_cast<std::size_t>(layout));
}

std::optional<TDisposition> LayoutNamed(const std::string& word) {
  const std::string lowered = util::LowerAscii(word);
  for (const LayoutRow& row : kLayouts) {
    if (util::LowerAscii(row.word) == lowered) {
      return row.layout;
    }
  }
  return std::nullopt;
}

void WriteLayoutToProfile(platform::ProfileFiles& profiles, TDisposition layout) {
  const LayoutRow& row = RowOf(layout);
  if (row.tileWallpaper != nullptr &&
      profiles.WriteString("WIN.INI", "Desktop", "TileWallpaper", row.tileWallpaper)) {
    profiles.WriteString("WIN.INI", "Desktop", "WallpaperStyle", row.wallpaperStyle);
  }
}

}  // namespace fondex::options
