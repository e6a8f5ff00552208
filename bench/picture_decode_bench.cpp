// A 3840 x 2160 JPEG and PNG decoded the way the root window takes them (band by band into the
// words of the usual 8-8-8 TrueColor visual, through the screen composition), beside the same
// library's bare decode of the whole picture into one buffer. Target: at most 1.3 times the
// bare decode.
#include <benchmark/benchmark.h>
#include <png.h>

#include <jpeglib.h>
#include <cstdio>  // jpeglib.h needs FILE

#include <string>
#include <vector>

#include "RatioReporter.h"
#include "pictures/PictureFiles.h"
#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/ScreenPicture.h"

namespace {

namespace posix = fondex::platform::posix;
namespace desktop = fondex::platform::posix::desktop;
namespace pictures = fondex::platform::posix::testing;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

// Something like a photograph: smooth gradients with fine detail.
pictures::Rgba Scene(int x, int y) {
  return {static_cast<std::uint8_t>(x * 255 / kWidth), static_cast<std::uint8_t>(y * 255 / kHeight),
          static_cast<std::uint8_t>((x * 7 + y * 13) % 256)};
}

const std::string& Jpeg() {
  static const std::string file = pictures::JpegFile(kWidth, kHeight, Scene);
  return file;
}

const std::string& Png() {
  static const std::string file = pictures::PngFile(kWidth, kHeight, {}, Scene);
  return file;
}

// The bands of pixel words as the root window's pixmap receives them; sending them is the X
// server's work, measured beside the other setters.
class Bands : public desktop::ScreenCanvas {
 public:
  void Fill(const desktop::PixelArea&, std::uint32_t) override {}
  void Put(const desktop::PixelBand& band) override {
    const std::uint32_t* words = band.words;
    benchmark::DoNotOptimize(words);
    benchmark::ClobberMemory();
  }
  void CopyRows(const desktop::PixelArea&, int) override {}
};

void ToRootWindowPixels(benchmark::State& state, const std::string& file) {
  Bands screen;
  for (auto _ : state) {
    posix::MemorySource source(file);
    const auto picture = posix::OpenPicture(source, {});
    if (!picture || !desktop::DrawPicture(*picture, desktop::WallpaperStyle::kCentred, screen,
                                          {0, 0, kWidth, kHeight}, 0)) {
      state.SkipWithError("the picture was refused");
      return;
    }
  }
}

void JpegToRootWindowPixels(benchmark::State& state) {
  ToRootWindowPixels(state, Jpeg());
}

void PngToRootWindowPixels(benchmark::State& state) {
  ToRootWindowPixels(state, Png());
}

// The library's own way: a memory source, its default RGB output, every row into one buffer.
void BareJpegDecode(benchmark::State& state) {
  std::vector<std::uint8_t> pixels(std::size_t{kWidth} * kHeight * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(Jpeg().data()), Jpeg().size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = &pixels[std::size_t{info.output_scanline} * kWidth * 3];
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels);
  }
}

// The library's simplified reading into one buffer of four bytes a pixel.
void BarePngDecode(benchmark::State& state) {
  std::vector<std::uint8_t> pixels(std::size_t{kWidth} * kHeight * 4);
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, Png().data(), Png().size());
    image.format = PNG_FORMAT_BGRA;
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    benchmark::DoNotOptimize(pixels);
  }
}

BENCHMARK(JpegToRootWindowPixels)->Unit(benchmark::kMillisecond);
BENCHMARK(BareJpegDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(PngToRootWindowPixels)->Unit(benchmark::kMillisecond);
BENCHMARK(BarePngDecode)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("JPEG to root-window pixels / bare decode (target at most 1.3)",
                      "JpegToRootWindowPixels", "BareJpegDecode");
  reporter.PrintRatio("PNG to root-window pixels / bare decode (target at most 1.3)",
                      "PngToRootWindowPixels", "BarePngDecode");
  benchmark::Shutdown();
  return 0;
}
