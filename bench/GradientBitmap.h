#pragma once

#include <cstdint>
#include <string>

namespace fondex::bench {

// A bottom-up 24-bit bitmap of a colour gradient.
inline std::string GradientBitmap(std::uint32_t width, std::uint32_t height) {
  const auto put = [](std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      out += static_cast<char>(value >> (8 * i));
    }
  };
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  std::string file = "BM";
  put(file, 54 + stride * height, 4);
  put(file, 0, 4);
  put(file, 54, 4);
  for (std::uint32_t field : {40u, width, height}) {
    put(file, field, 4);
  }
  put(file, 1, 2);
  put(file, 24, 2);
  file.resize(54 + std::size_t{stride} * height, '\0');
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      char* pixel = file.data() + 54 + std::size_t{y} * stride + 3 * x;
      pixel[0] = static_cast<char>(x);
      pixel[1] = static_cast<char>(y);
      pixel[2] = static_cast<char>(x ^ y);
    }
  }
  return file;
}

}  // namespace fondex::bench
