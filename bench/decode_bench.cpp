// Decoding a 3840 x 2160 24-bit bitmap into the pixel words of an X root window (the usual
// 8-8-8 TrueColor visual), beside a plain memcpy of the same pixel bytes: the ratio of the two
// says how far the decoder is from the memory-bandwidth floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "GradientBitmap.h"
#include "RatioReporter.h"
#include "platform/pictures/BitmapDecoder.h"

namespace {

using fondex::platform::posix::BitmapLayout;

constexpr std::uint32_t kWidth = 3840;
constexpr std::uint32_t kHeight = 2160;

const std::string& TheBitmap() {
  static const std::string file = fondex::bench::GradientBitmap(kWidth, kHeight);
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
    benchmark::DoNotOptimize(pixels);
    benchmark::ClobberMemory();
  }
}

void CopyThePixelBytes(benchmark::State& state) {
  const std::string_view pixelBytes = std::string_view(TheBitmap()).substr(54);
  std::vector<char> copy(pixelBytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), pixelBytes.data(), pixelBytes.size());
    benchmark::DoNotOptimize(copy);
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
