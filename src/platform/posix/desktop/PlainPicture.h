#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform::posix::desktop {

struct RgbColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr RgbColour kBlack{0, 0, 0};

// "#rrggbb", as GSettings keeps a desktop's colour (either case); nothing for another text.
std::optional<RgbColour> ParseHexColour(std::string_view text);

// The file of a bitmap one pixel large, of that colour: stretched, it covers the screen with it.
std::string OnePixelBitmap(RgbColour colour);

}  // namespace fondex::platform::posix::desktop
