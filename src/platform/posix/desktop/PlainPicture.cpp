#include "platform/posix/desktop/PlainPicture.h"

#include <charconv>

namespace fondex::platform::posix::desktop {
namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

}  // namespace

std::optional<RgbColour> ParseHexColour(std::string_view text) {
  if (text.size() != 7 || text.front() != '#') {
    return std::nullopt;
  }
  std::uint8_t parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    const char* first = text.data() + 1 + 2 * i;
    const auto [end, error] = std::from_chars(first, first + 2, parts[i], 16);
    if (error != std::errc() || end != first + 2) {
      return std::nullopt;
    }
  }
  return RgbColour{parts[0], parts[1], parts[2]};
}

std::string OnePixelBitmap(RgbColour colour) {
  constexpr std::uint32_t kHeaders = 14 + 40;
  constexpr std::uint32_t kRow = 4;  // three bytes, padded to a multiple of four
  std::string bytes = "BM";
  AppendLittleEndian(bytes, kHeaders + kRow, 4);
  AppendLittleEndian(bytes, 0, 4);  // reserved
  AppendLittleEndian(bytes, kHeaders, 4);
  AppendLittleEndian(bytes, 40, 4);  // the info header's size
  AppendLittleEndian(bytes, 1, 4);   // width
  AppendLittleEndian(bytes, 1, 4);   // height
  AppendLittleEndian(bytes, 1, 2);   // planes
  AppendLittleEndian(bytes, 24, 2);  // bits per pixel
  AppendLittleEndian(bytes, 0, 4);   // no compression
  AppendLittleEndian(bytes, kRow, 4);
  AppendLittleEndian(bytes, 2835, 4);  // 72 dots per inch, both ways
  AppendLittleEndian(bytes, 2835, 4);
  AppendLittleEndian(bytes, 0, 4);  // no palette
  AppendLittleEndian(bytes, 0, 4);  // and no colour of it that matters more
  bytes += {static_cast<char>(colour.blue), static_cast<char>(colour.green),
            static_cast<char>(colour.red), '\0'};
  return bytes;
}

}  // namespace fondex::platform::posix::desktop
