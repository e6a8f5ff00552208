#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace fondex::platform::posix {

// The bytes of a PNG file of width x height pixels, given as words of 0x??RRGGBB, top row first
// (8-bit colour, no alpha); nothing when the sides are not those of a picture or the words do
// not fill it.
std::optional<std::string> EncodePng(int width, int height, std::span<const std::uint32_t> pixels);

}  // namespace fondex::platform::posix
