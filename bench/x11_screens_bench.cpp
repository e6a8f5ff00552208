// Three 3840 x 2160 RandR monitors side by side on one bare X11 root ($DISPLAY, 11520 x 2160:
// bench/x11-screens starts it and lays the monitors), each given its own 3840 x 2160 24-bit
// bitmap centred: by Fondex's wallpaper service in one change of the three, and by feh given the
// three pictures, one a screen, in one run (its own process start included, as a user meets it).
// Then Fondex's change of one monitor alone, the two others kept. Figures: the median time, the
// peak resident memory of feh's whole process, and how far Fondex's rises for the change.
// Target: Fondex's rise under 16 MB.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GradientBitmap.h"
#include "RatioReporter.h"
#include "RootSetters.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/desktop/XMonitors.h"

namespace {

namespace posix = fondex::platform::posix;
namespace bench = fondex::bench;

constexpr std::uint32_t kWidth = 3840;
constexpr std::uint32_t kHeight = 2160;
constexpr int kRepetitions = 9;

// One gradient bitmap a monitor, written once for the whole program.
class Pictures {
 public:
  Pictures() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fondex-x11-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    const std::string bitmap = bench::GradientBitmap(kWidth, kHeight);
    for (int i = 0; i < 3; ++i) {
      paths_.push_back(root_ + "/gradient" + std::to_string(i) + ".bmp");
      std::ofstream(paths_.back(), std::ios::binary) << bitmap;
    }
  }
  ~Pictures() { std::filesystem::remove_all(root_); }

  const std::vector<std::string>& Paths() const { return paths_; }
  std::string PlatformDirectory() const { return root_ + "/platform"; }

 private:
  std::string root_;
  std::vector<std::string> paths_;
};

const Pictures& ThePictures() {
  static const Pictures pictures;
  return pictures;
}

// Fondex's change of the first `count` monitors, each to its picture, centred.
void FondexChange(benchmark::State& state, std::size_t count) {
  posix::PosixPlatform platform(ThePictures().PlatformDirectory(),
                                posix::desktop::DesktopKind::kX11);
  const std::vector<std::string> monitors = platform.Desktop().Screens();
  if (monitors.size() < count) {
    state.SkipWithError("fewer monitors than pictures: run bench/x11-screens");
    return;
  }
  std::vector<fondex::platform::ScreenWallpaper> pictures;
  for (std::size_t i = 0; i < count; ++i) {
    pictures.push_back({monitors[i], platform.Paths().ToWindows(ThePictures().Paths()[i])});
  }
  bench::ResetPeak();
  const double before = bench::StatusKilobytes("VmRSS");
  for (auto _ : state) {
    if (!platform.Desktop().SetScreenWallpapers(pictures, monitors.front())) {
      state.SkipWithError("the root window refused the pictures");
      return;
    }
  }
  state.counters["peak_rise_MB"] = (bench::StatusKilobytes("VmHWM") - before) / 1024.0;
}

void FondexThreeMonitors(benchmark::State& state) {
  FondexChange(state, 3);
}

void FondexOneOfThree(benchmark::State& state) {
  FondexChange(state, 1);
}

void FehThreeMonitors(benchmark::State& state) {
  std::vector<std::string> arguments = {"feh", "--bg-center"};
  arguments.insert(arguments.end(), ThePictures().Paths().begin(), ThePictures().Paths().end());
  bench::RunSetter(state, arguments, "feh is missing or failed");
}

void OneChangeEach(benchmark::internal::Benchmark* benchmark) {
  bench::OneChangeEach(benchmark, kRepetitions);
}

BENCHMARK(FondexThreeMonitors)->Apply(OneChangeEach);
BENCHMARK(FehThreeMonitors)->Apply(OneChangeEach);
BENCHMARK(FondexOneOfThree)->Apply(OneChangeEach);

}  // namespace

int main(int argc, char** argv) {
  if (::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "No X display: run bench/x11-screens.\n");
    return 1;
  }
  ThePictures();  // written and in the cache before anything is measured
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("Fondex / feh, three monitors, median", "FondexThreeMonitors",
                      "FehThreeMonitors", "median");
  reporter.PrintRatio("Fondex, one monitor / three, median", "FondexOneOfThree",
                      "FondexThreeMonitors", "median");
  benchmark::Shutdown();
  return 0;
}
