#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ProfileFiles.h"

namespace fondex::options {

// How the wallpaper covers the screen, in the options list's order. CommeSysteme leaves it to
// the system profile.
enum class TDisposition : std::uint8_t {
  CommeSysteme = 0,
  Centre = 1,
  Mosaique = 2,
  Etire = 3,
  Ajuste = 4,
  Remplir = 5,
};

// One layout: its line in the list, its word in the settings file and the values of the system
// profile's [Desktop] TileWallpaper and WallpaperStyle that ask the system for it.
struct LayoutRow {
  TDisposition layout;
  const char* caption;
  const char* word;
  const char* tileWallpaper;
  const char* wallpaperStyle;
};

inline constexpr std::array<LayoutRow, 6> kLayouts{{
    {TDisposition::CommeSysteme, "Comme le système", "Systeme", nullptr, nullptr},
    {TDisposition::Centre, "Centré", "Centre", "0", "0"},
    {TDisposition::Mosaique, "Mosaïque", "Mosaique", "1", "0"},
    {TDisposition::Etire, "Étiré", "Etire", "0", "2"},
    {TDisposition::Ajuste, "Ajusté", "Ajuste", "0", "6"},
    {TDisposition::Remplir, "Remplir", "Remplir", "0", "10"},
}};

const LayoutRow& RowOf(TDisposition layout);

// The layout a settings word names, ASCII case ignored; nothing for any other word.
std::optional<TDisposition> LayoutNamed(const std::string& word);

// Asks the system profile for the layout before a wallpaper is set; CommeSysteme writes
// nothing.
void WriteLayoutToProfile(platform::ProfileFiles& profiles, TDisposition layout);

}  // namespace fondex::options
