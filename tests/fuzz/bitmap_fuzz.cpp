// Picture files. Bitmaps: whatever the header check accepts, the decoder decodes within the file,
// and the check reads the same from the headers alone as from the whole file. Every format
// (bitmap, JPEG, PNG, WebP): a picture the check refuses is not opened, and one it accepts is
// decoded band by band into words of its declared size, or refused, never read past its bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "platform/pictures/BitmapDecoder.h"
#include "platform/pictures/BitmapHeader.h"
#include "platform/pictures/Picture.h"

using namespace fondex::platform::posix;

// Tiny run-length files may declare huge pictures; those are decoded by the tests, not here,
// where each input must take a moment only.
constexpr std::uint64_t kLargestDecodedHere = std::uint64_t{1} << 22;

namespace {

void CheckAnyPicture(std::string_view file) {
  MemorySource source(file);
  const auto header = CheckPicture(source, PictureFormats::kAll);
  const auto reader = OpenPicture(source, PixelFormat{});
  if (!header) {
    FUZZ_CHECK(!reader);
    return;
  }
  const std::uint64_t pixels = std::uint64_t(header->width) * std::uint64_t(header->height);
  if (!reader || pixels > kLargestDecodedHere) {
    return;
  }
  FUZZ_CHECK(reader->Width() == header->width && reader->Height() == header->height);
  std::vector<std::uint32_t> band(static_cast<std::size_t>(header->width) * 7);
  for (std::int32_t top = 0; top < header->height; top += 7) {
    band.resize(static_cast<std::size_t>(header->width) *
                static_cast<std::size_t>(std::min(7, header->height - top)));
    if (!reader->ReadRows(band)) {
      return;
    }
    for (std::uint32_t word : band) {
      FUZZ_CHECK((word & 0xFF000000u) == 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's bytes, so that a read beyond them is caught.
  const std::unique_ptr<char[]> exact(new char[size]);
  std::memcpy(exact.get(), data, size);
  CheckAnyPicture(std::string_view(exact.get(), size));
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const auto layout = ReadBitmapLayout(file);
  const auto fromHead = ReadBitmapLayout(file.substr(0, kBitmapHeadSize), file.size());
  FUZZ_CHECK(layout.has_value() == fromHead.has_value());
  if (!layout) {
    FUZZ_CHECK(!DecodeBitmap(file, PixelFormat{}));
    return 0;
  }
  FUZZ_CHECK(BitmapDataEnd(*layout) <= file.size());
  FUZZ_CHECK(BitmapDataEnd(*fromHead) == BitmapDataEnd(*layout));
  const std::uint64_t pixels = std::uint64_t(layout->width) * std::uint64_t(layout->height);
  if (pixels > kLargestDecodedHere) {
    return 0;
  }
  // A copy that ends where the data ends, so that a read beyond it is caught.
  const std::size_t end = static_cast<std::size_t>(BitmapDataEnd(*layout));
  const std::unique_ptr<char[]> needed(new char[end]);
  std::memcpy(needed.get(), data, end);
  const auto picture =
      DecodeBitmap(std::string_view(needed.get(), end),
                   PixelFormat{.redMask = 0xF800, .greenMask = 0x07E0, .blueMask = 0x001F});
  FUZZ_CHECK(picture.has_value());
  if (picture) {
    FUZZ_CHECK(picture->pixels.size() == pixels);
    for (std::uint32_t word : picture->pixels) {
      FUZZ_CHECK((word & ~std::uint32_t{0xFFFF}) == 0);
    }
  }
  return 0;
}
