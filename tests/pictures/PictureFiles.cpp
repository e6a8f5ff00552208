#include "pictures/PictureFiles.h"

#include <png.h>
#include <webp/encode.h>

#include <jpeglib.h>
#include <cstdio>  // jpeglib.h needs FILE

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace fondex::platform::posix::testing {
namespace {

std::vector<std::uint8_t> RgbaBytes(int width, int height, const Colours& colour) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba pixel = colour(x, y);
      bytes.insert(bytes.end(), {pixel.red, pixel.green, pixel.blue, pixel.alpha});
    }
  }
  return bytes;
}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void NoFlush(png_structp) {}

// One row of samples in the layout's own form: 16-bit samples repeat the 8-bit value's byte.
std::vector<std::uint8_t> PngRow(const std::vector<std::uint8_t>& rgba, int width, int y,
                                 const PngLayout& layout, std::vector<Rgba>& palette) {
  std::vector<std::uint8_t> row;
  const int bytes = layout.bitDepth / 8;
  const auto put = [&](std::uint8_t value) { row.insert(row.end(), bytes, value); };
  for (int x = 0; x < width; ++x) {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    switch (layout.colourType) {
      case 0:
      case 4:
        put(p[0]);
        break;
      case 3: {
        auto found = std::find_if(palette.begin(), palette.end(), [p](const Rgba& c) {
          return c.red == p[0] && c.green == p[1] && c.blue == p[2];
        });
        if (found == palette.end()) {
          palette.push_back({p[0], p[1], p[2]});
          found = palette.end() - 1;
        }
        row.push_back(static_cast<std::uint8_t>(found - palette.begin()));
        break;
      }
      default:
        put(p[0]);
        put(p[1]);
        put(p[2]);
    }
    if (layout.colourType == 4 || layout.colourType == 6) {
      put(p[3]);
    }
  }
  return row;
}

std::vector<jpeg_scan_info> ScanScript(int count) {
  constexpr int kLowestBit = 10;  // the deepest successive approximation the library takes
  std::vector<jpeg_scan_info> script;
  const auto bitByBit = [&](int components, int coefficient) {
    for (int bit = kLowestBit; bit >= 0 && static_cast<int>(script.size()) < count; --bit) {
      jpeg_scan_info scan{};
      scan.comps_in_scan = components;
      for (int c = 0; c < components; ++c) {
        scan.component_index[c] = c;
      }
      scan.Ss = scan.Se = coefficient;
      scan.Ah = bit == kLowestBit ? 0 : bit + 1;
      scan.Al = bit;
      script.push_back(scan);
    }
  };
  bitByBit(3, 0);
  for (int coefficient = 1; coefficient < 64; ++coefficient) {
    bitByBit(1, coefficient);
  }
  return script;
}

}  // namespace

Rgba Quadrant(int x, int y, int width, int height) {
  const Rgba colours[2][2] = {{{255, 0, 0}, {0, 255, 0}}, {{0, 0, 255}, {255, 255, 255}}};
  return colours[y * 2 / height][x * 2 / width];
}

std::string JpegFile(int width, int height, const Colours& colour, const JpegLayout& layout) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 4;
  const bool ink = layout.ink != JpegInk::kNone;
  info.in_color_space = ink ? JCS_CMYK : JCS_EXT_RGBX;
  jpeg_set_defaults(&info);
  if (ink) {
    jpeg_set_colorspace(&info, layout.ink == JpegInk::kAdobeYcck ? JCS_YCCK : JCS_CMYK);
    info.write_Adobe_marker = layout.ink == JpegInk::kCmyk ? FALSE : TRUE;
  }
  if (layout.progressive) {
    jpeg_simple_progression(&info);
  }
  const std::vector<jpeg_scan_info> script = ScanScript(layout.scans);
  if (layout.scans > 0) {
    info.scan_info = script.data();
    info.num_scans = static_cast<int>(script.size());
  }
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> samples = RgbaBytes(width, height, colour);
  if (ink) {
    // Adobe's form stores 255 - ink: the colour itself, and full black as 255.
    const bool inverted = layout.ink != JpegInk::kCmyk;
    for (std::size_t i = 0; i < samples.size(); i += 4) {
      for (std::size_t c = 0; c < 3; ++c) {
        samples[i + c] =
            static_cast<std::uint8_t>(inverted ? samples[i + c] : 255 - samples[i + c]);
      }
      samples[i + 3] = inverted ? 255 : 0;
    }
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &samples[static_cast<std::size_t>(info.next_scanline) * width * 4];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string file(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return file;
}

std::string PngFile(int width, int height, const PngLayout& layout, const Colours& colour) {
  std::string file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    throw std::logic_error("libpng refused the test's picture");
  }
  png_set_write_fn(png, &file, &AppendToString, &NoFlush);
  const std::vector<std::uint8_t> rgba = RgbaBytes(width, height, colour);
  std::vector<Rgba> palette;
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back(PngRow(rgba, width, y, layout, palette));
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
               layout.bitDepth, layout.colourType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours;
  for (const Rgba& c : palette) {
    colours.push_back({c.red, c.green, c.blue});
  }
  if (layout.colourType == 3) {
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  }
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) {
    pointers.push_back(row.data());
  }
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return file;
}

std::string WebpFile(int width, int height, bool lossless, const Colours& colour) {
  const std::vector<std::uint8_t> rgba = RgbaBytes(width, height, colour);
  std::uint8_t* output = nullptr;
  const std::size_t size =
      lossless ? WebPEncodeLosslessRGBA(rgba.data(), width, height, width * 4, &output)
               : WebPEncodeRGBA(rgba.data(), width, height, width * 4, 100, &output);
  std::string file(reinterpret_cast<char*>(output), size);
  WebPFree(output);
  return file;
}

}  // namespace fondex::platform::posix::testing
