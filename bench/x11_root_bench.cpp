// The root window of a bare X11 session, given a 3840 x 2160 24-bit bitmap centred, by Fondex's
// wallpaper service and by two common root setters, one after the other on the same X server
// ($DISPLAY, of the picture's size: bench/x11-peers starts one): the time until the root shows
// the picture (the setters' own process start included, as a user meets it) and the peak
// resident memory: the setters' whole processes, and how far Fondex's rises for the change.
// Targets: Fondex's change at most half of feh's time, its peak rise under 16 MB.
// Then a 4096 x 2160 bitmap, of other proportions than the screen's, centred, fitted (bands
// above and below) and filled (its sides cut) by Fondex, fitted and filled by feh. Targets:
// fitted and filled each within twice Fondex's centred time of the same picture, their peak
// rise under 16 MB.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GradientBitmap.h"
#include "RatioReporter.h"
#include "RootSetters.h"
#include "platform/posix/PosixPlatform.h"

namespace {

namespace posix = fondex::platform::posix;

constexpr std::uint32_t kWidth = 3840;
constexpr std::uint32_t kHeight = 2160;
constexpr std::uint32_t kWideWidth = 4096;
constexpr int kRepetitions = 15;

// The gradient bitmaps, written once for the whole program: the screen's size, and wider.
class Pictures {
 public:
  Pictures() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fondex-x11-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    std::ofstream(Path(), std::ios::binary) << fondex::bench::GradientBitmap(kWidth, kHeight);
    std::ofstream(WidePath(), std::ios::binary)
        << fondex::bench::GradientBitmap(kWideWidth, kHeight);
  }
  ~Pictures() { std::filesystem::remove_all(root_); }

  std::string Path() const { return root_ + "/gradient.bmp"; }
  std::string WidePath() const { return root_ + "/wide.bmp"; }
  std::string PlatformDirectory() const { return root_ + "/platform"; }

 private:
  std::string root_;
};

const Pictures& ThePictures() {
  static const Pictures pictures;
  return pictures;
}

// Fondex's change to the picture in the layout that the system profile's WallpaperStyle names.
void FondexChange(benchmark::State& state, const std::string& picture, const char* style) {
  posix::PosixPlatform platform(ThePictures().PlatformDirectory(),
                                posix::desktop::DesktopKind::kX11);
  if (!platform.Profiles().WriteString(posix::kSystemProfile, "Desktop", "WallpaperStyle", style)) {
    state.SkipWithError("the system profile cannot be written");
    return;
  }
  const std::string name = platform.Paths().ToWindows(picture);
  fondex::bench::ResetPeak();
  const double before = fondex::bench::StatusKilobytes("VmRSS");
  for (auto _ : state) {
    if (!platform.Desktop().SetDeskWallpaper(name)) {
      state.SkipWithError("the root window refused the picture");
      return;
    }
  }
  state.counters["peak_rise_MB"] = (fondex::bench::StatusKilobytes("VmHWM") - before) / 1024.0;
}

void RunSetter(benchmark::State& state, std::vector<std::string> arguments, const char* failure,
               const std::string& picture = ThePictures().Path()) {
  arguments.push_back(picture);
  fondex::bench::RunSetter(state, std::move(arguments), failure);
}

void FondexCentre(benchmark::State& state) {
  FondexChange(state, ThePictures().Path(), "0");
}

void FondexCentreWide(benchmark::State& state) {
  FondexChange(state, ThePictures().WidePath(), "0");
}

void FondexFitWide(benchmark::State& state) {
  FondexChange(state, ThePictures().WidePath(), "6");
}

void FondexFillWide(benchmark::State& state) {
  FondexChange(state, ThePictures().WidePath(), "10");
}

void FehMaxWide(benchmark::State& state) {
  RunSetter(state, {"feh", "--bg-max"}, "feh is missing or failed", ThePictures().WidePath());
}

void FehFillWide(benchmark::State& state) {
  RunSetter(state, {"feh", "--bg-fill"}, "feh is missing or failed", ThePictures().WidePath());
}

void FehCentre(benchmark::State& state) {
  RunSetter(state, {"feh", "--bg-center"}, "feh is missing or failed");
}

void HsetrootCentre(benchmark::State& state) {
  RunSetter(state, {"hsetroot", "-center"}, "hsetroot is missing or failed");
}

void OneChangeEach(benchmark::internal::Benchmark* benchmark) {
  fondex::bench::OneChangeEach(benchmark, kRepetitions);
}

BENCHMARK(FondexCentre)->Apply(OneChangeEach);
BENCHMARK(FehCentre)->Apply(OneChangeEach);
BENCHMARK(HsetrootCentre)->Apply(OneChangeEach);
BENCHMARK(FondexCentreWide)->Apply(OneChangeEach);
BENCHMARK(FondexFitWide)->Apply(OneChangeEach);
BENCHMARK(FondexFillWide)->Apply(OneChangeEach);
BENCHMARK(FehMaxWide)->Apply(OneChangeEach);
BENCHMARK(FehFillWide)->Apply(OneChangeEach);

}  // namespace

int main(int argc, char** argv) {
  if (::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "No X display: run bench/x11-peers.\n");
    return 1;
  }
  ThePictures();  // written and in the cache before anything is measured
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("Fondex / feh, median (target at most 0.5)", "FondexCentre", "FehCentre",
                      "median");
  reporter.PrintRatio("Fondex / hsetroot, median", "FondexCentre", "HsetrootCentre", "median");
  reporter.PrintRatio("Fondex fitted / centred, median (target at most 2)", "FondexFitWide",
                      "FondexCentreWide", "median");
  reporter.PrintRatio("Fondex filled / centred, median (target at most 2)", "FondexFillWide",
                      "FondexCentreWide", "median");
  reporter.PrintRatio("Fondex fitted / feh --bg-max, median", "FondexFitWide", "FehMaxWide",
                      "median");
  reporter.PrintRatio("Fondex filled / feh --bg-fill, median", "FondexFillWide", "FehFillWide",
                      "median");
  benchmark::Shutdown();
  return 0;
}
