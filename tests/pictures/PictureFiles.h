#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fondex::platform::posix::testing {

struct Rgba {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  std::uint8_t alpha = 255;
};

using Colours = std::function<Rgba(int x, int y)>;

// How a PNG stores its pixels.
struct PngLayout {
  int colourType = 2;  // 0 grey, 2 colour, 3 palette, 4 grey and alpha, 6 colour and alpha
  int bitDepth = 8;
  bool interlaced = false;
};

// How a JPEG stores its colours: as colour (YCbCr), as CMYK ink without Adobe's marker, or with
// it, in Adobe's inverted form, as CMYK or YCCK.
enum class JpegInk { kNone, kCmyk, kAdobeCmyk, kAdobeYcck };

struct JpegLayout {
  JpegInk ink = JpegInk::kNone;
  bool progressive = false;
  // Progressive in exactly this many scans, when above 0: every bit of the DC coefficients one
  // scan at a time, then of the first AC coefficients of the first component.
  int scans = 0;
};

// Pictures written by the libraries that decode them. A palette PNG takes its colours from the
// picture in order of appearance (at most 256). Ink is taken with no black: C = 255 - red.
std::string JpegFile(int width, int height, const Colours& colour, const JpegLayout& layout = {});
std::string PngFile(int width, int height, const PngLayout& layout, const Colours& colour);
std::string WebpFile(int width, int height, bool lossless, const Colours& colour);

// Four quadrants, top row red then green, bottom row blue then white.
Rgba Quadrant(int x, int y, int width, int height);

}  // namespace fondex::platform::posix::testing
