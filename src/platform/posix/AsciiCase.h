#pragma once

#include <algorithm>
#include <string_view>

namespace fondex::platform::posix {

// Names compare ignoring the ASCII capitals only: accented bytes stay as they are.
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace fondex::platform::posix
