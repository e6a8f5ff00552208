#include "wallpapers/BitmapFile.h"

#include <cstdint>
#include <map>
#include <vector>

namespace fondex::tools {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxPaletteColours = 256;

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutBgr(std::string& out, QRgb colour) {
  out += static_cast<char>(qBlue(colour));
  out += static_cast<char>(qGreen(colour));
  out += static_cast<char>(qRed(colour));
}

// Each colour of the picture and its palette index, in the order of the colours' values.
std::optional<std::map<QRgb, std::uint8_t>> PaletteOf(const QImage& picture) {
  std::map<QRgb, std::uint8_t> palette;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      palette.emplace(row[x] | 0xFF000000u, 0);
      if (palette.size() > kMaxPaletteColours) {
        return std::nullopt;
      }
    }
  }
  std::uint8_t index = 0;
  for (auto& entry : palette) {
    entry.second = index++;
  }
  return palette;
}

void PutRow(std::string& out, const QRgb* row, int width, int bitsPerPixel,
            const std::map<QRgb, std::uint8_t>& palette) {
  const std::size_t start = out.size();
  for (int x = 0; x < width; ++x) {
    const QRgb colour = row[x] | 0xFF000000u;
    if (bitsPerPixel == 8) {
      out += static_cast<char>(palette.at(colour));
    } else {
      PutBgr(out, colour);
      if (bitsPerPixel == 32) {
        out += '\0';
      }
    }
  }
  out.append((4 - (out.size() - start) % 4) % 4, '\0');
}

}  // namespace

std::optional<std::string> BitmapFileOf(const QImage& picture, int bitsPerPixel) {
  if (picture.isNull() || (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
    return std::nullopt;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::map<QRgb, std::uint8_t> palette;
  if (bitsPerPixel == 8) {
    auto found = PaletteOf(rgb);
    if (!found) {
      return std::nullopt;
    }
    palette = std::move(*found);
  }
  const auto width = static_cast<std::uint32_t>(rgb.width());
  const auto height = static_cast<std::uint32_t>(rgb.height());
  const std::uint32_t rowSize = (width * static_cast<std::uint32_t>(bitsPerPixel) + 31) / 32 * 4;
  const auto paletteSize = static_cast<std::uint32_t>(palette.size() * 4);
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
  const std::uint32_t pixelSize = rowSize * height;

  std::string out = "BM";
  Put32(out, pixelOffset + pixelSize);
  Put32(out, 0);
  Put32(out, pixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32(out, 0);  // no compression
  Put32(out, pixelSize);
  Put32(out, 3780);  // 96 pixels per inch
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(palette.size()));
  Put32(out, 0);
  for (const auto& [colour, index] : palette) {
    PutBgr(out, colour);
    out += '\0';
  }
  for (int y = rgb.height() - 1; y >= 0; --y) {
    PutRow(out, reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), bitsPerPixel,
           palette);
  }
  return out;
}

}  // namespace fondex::tools
