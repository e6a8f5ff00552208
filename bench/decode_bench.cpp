// Decoding a 3840 x 2160 24-bit bitmap into the pixel words of an X root window (the usual
// 8-8-8 TrueColor visual), beside a plain memcpy of the same pixel bytes: the ratio of the two
// says how far the decoder is from the memory-bandwidth floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "platform/posix/BitmapDecoder.h"

namespace {

using fondex::platform::posix::BitmapLayout;

constexpr std::uint32_t kWidth = 3840;
constexpr std::uint32_t kHeight = 2160;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>(value >> (8 * i));
  }
}

// A bottom-up 24-bit bitmap of a colour gradient.
std::string UltraHdBitmap() {
  const std::uint32_t stride = (kWidth * 3 + 3) / 4 * 4;
  std::string file = "BM";
  Put(file, 54 + stride * kHeight, 4);
  Put(file, 0, 4);
  Put(file, 54, 4);
  for (std::uint32_t field : {40u, kWidth, kHeight}) {
    Put(file, field, 4);
  }
  Put(file, 1, 2);
  Put(file, 24, 2);
  file.resize(54, '\0');
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      file += {static_cast<char>(x), static_cast<char>(y), static_cast<char>(x ^ y)};
    }
    file.resize(54 + (y + 1) * stride, '\0');
  }
  return file;
}

const std::string& TheBitmap() {
  static const std::string file = UltraHdBitmap();
  return file;
}

void DecodeToRootWindowPixels(benchmark::State& state) {
  const auto layout = fondex::platform::posix::ReadBitmapLayout(TheBitmap());
  if (!layout) {
    state.SkipWithError("the bitmap is not loadable");
    return;
  }
  std::vector<std::uint32_t> pixels(std::size_t{kWidth} * kHeight);
  for (auto _ : state) {
    fondex::platform::posix::MemorySource source(TheBitmap());
    fondex::platform::posix::OpenBitmap(source, *layout, {})->ReadRows(pixels);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}

void CopyThePixelBytes(benchmark::State& state) {
  const std::string_view pixelBytes = std::string_view(TheBitmap()).substr(54);
  std::vector<char> copy(pixelBytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), pixelBytes.data(), pixelBytes.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(DecodeToRootWindowPixels)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyThePixelBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("decode / memcpy", "DecodeToRootWindowPixels", "CopyThePixelBytes");
  benchmark::Shutdown();
  return 0;
}
