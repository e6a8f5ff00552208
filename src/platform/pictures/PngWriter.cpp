// PNG files through libpng, written into memory a row at a time.
#include "platform/pictures/PngWriter.h"

#include <png.h>

#include <vector>

#include "platform/pictures/PictureReader.h"

namespace fondex::platform::posix {
namespace {

[[noreturn]] void JumpOut(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

struct WriteStructs {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~WriteStructs() { png_destroy_write_struct(&png, &info); }
};

// The library returns here through longjmp when it fails: nothing on this frame owns memory.
bool WriteRows(WriteStructs& structs, int width, int height, std::span<const std::uint32_t> pixels,
               std::vector<png_byte>& row, std::string& bytes) {
  if (setjmp(png_jmpbuf(structs.png)) != 0) {
    return false;
  }
  png_set_write_fn(structs.png, &bytes, &Append, &NoFlush);
  png_set_IHDR(structs.png, structs.info, static_cast<png_uint_32>(width),
               static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Fast rather than small: the file is read back at once, from a local folder.
  png_set_compression_level(structs.png, 1);
  png_write_info(structs.png, structs.info);
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const std::uint32_t* words = pixels.data() + y * static_cast<std::size_t>(width);
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
      row[x * 3] = static_cast<png_byte>(words[x] >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(words[x] >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(words[x]);
    }
    png_write_row(structs.png, row.data());
  }
  png_write_end(structs.png, nullptr);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(int width, int height, std::span<const std::uint32_t> pixels) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return std::nullopt;
  }
  WriteStructs structs;
  structs.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &JumpOut, &IgnoreWarning);
  structs.info = structs.png != nullptr ? png_create_info_struct(structs.png) : nullptr;
  if (structs.info == nullptr) {
    return std::nullopt;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
  std::string bytes;
  if (!WriteRows(structs, width, height, pixels, row, bytes)) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace fondex::platform::posix
