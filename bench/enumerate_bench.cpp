// Listing a directory of 100,000 bitmaps the way the program's file list does, against a bare
// readdir loop with a byte sort: the ratio of the two is the cost of the platform layer and of
// the user's order of names.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BareListing.h"
#include "RatioReporter.h"
#include "platform/posix/PosixPlatform.h"
#include "toolkit/FileListBox.h"
#include "toolkit/StringList.h"

namespace {

constexpr int kFileCount = 100000;

// The directory of bitmaps, made once for the whole program.
class Wallpapers {
 public:
  Wallpapers() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fondex-bench-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directory(Directory());
    std::filesystem::create_directory(root_ + "/platform");
    for (int i = 0; i < kFileCount; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, i % 3 == 0 ? "/FOND%06d.BMP" : "/fond%06d.bmp", i);
      ::close(::open((Directory() + name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
  }
  ~Wallpapers() { std::filesystem::remove_all(root_); }

  std::string Directory() const { return root_ + "/images"; }
  std::string PlatformDirectory() const { return root_ + "/platform"; }

 private:
  std::string root_;
};

const Wallpapers& TheWallpapers() {
  static const Wallpapers wallpapers;
  return wallpapers;
}

void FileListThroughThePlatform(benchmark::State& state) {
  fondex::platform::posix::PosixPlatform platform(TheWallpapers().PlatformDirectory());
  fondex::toolkit::FileListBox list("FichListeBox", nullptr, platform.Files(),
                                    platform.Collation());
  list.mask = "*.BMP";
  list.SetDirectory(platform.Paths().ToWindows(TheWallpapers().Directory()));
  for (auto _ : state) {
    list.Update();
    benchmark::DoNotOptimize(list.Items().data());
  }
  if (list.Count() != kFileCount) {
    state.SkipWithError("the file list does not show every bitmap");
  }
}

void BareReaddirAndSort(benchmark::State& state) {
  fondex::bench::MeasureBareReaddirAndSort(state, TheWallpapers().Directory(), kFileCount);
}

BENCHMARK(FileListThroughThePlatform)->Unit(benchmark::kMillisecond);
BENCHMARK(BareReaddirAndSort)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("file list / bare readdir+sort", "FileListThroughThePlatform",
                      "BareReaddirAndSort");
  benchmark::Shutdown();
  return 0;
}
