#include "e2e/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace fondex::e2e {

namespace {

using Bytes = std::string;

constexpr std::size_t kStoredBlockLimit = 65535;

std::uint32_t Crc32(const Bytes& data) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) {
        c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      }
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFU;
  for (const char byte : data) {
    crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFFU] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFU;
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char byte : data) {
    a = (a + static_cast<std::uint8_t>(byte)) % 65521U;
    b = (b + a) % 65521U;
  }
  return (b << 16) | a;
}

void AppendBigEndian(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFFU));
  }
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const Bytes typed = type + data;
  out += typed;
  AppendBigEndian(out, Crc32(typed));
}

// A zlib stream of stored blocks: no compression, nothing to get wrong.
Bytes ZlibStored(const Bytes& raw) {
  Bytes out = "\x78\x01";
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kStoredBlockLimit, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? '\x01' : '\x00');
    out.push_back(static_cast<char>(length & 0xFFU));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFFU));
    out.push_back(static_cast<char>((~length >> 8) & 0xFFU));
    out.append(raw, offset, length);
    offset += length;
  } while (offset < raw.size());
  AppendBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

void WritePng(const std::filesystem::path& path, const Image& image) {
  Bytes header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image.width));
  AppendBigEndian(header, static_cast<std::uint32_t>(image.height));
  header += Bytes("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  Bytes scanlines;
  for (int y = 0; y < image.height; ++y) {
    scanlines.push_back('\0');  // filter type none
    scanlines.append(reinterpret_cast<const char*>(image.rgb.data()) + y * rowBytes, rowBytes);
  }
  Bytes png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", ZlibStored(scanlines));
  AppendChunk(png, "IEND", Bytes());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace fondex::e2e
