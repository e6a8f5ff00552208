// Listing a directory of 100,000 bitmaps the way the program's file list does, against a bare
// readdir loop with a byte sort: the ratio of the two is the cost of the platform layer and of
// the user's order of names. The same for a directory of 100,000 pictures of five extensions
// listed with the five patterns of the other formats' option (target: at most twice the bare loop).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BareListing.h"
#include "RatioReporter.h"
#include "mainwindow/PictureMasks.h"
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
    std::filesystem::create_directory(PictureDirectory());
    for (int i = 0; i < kFileCount; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, i % 3 == 0 ? "/FOND%06d.BMP" : "/fond%06d.bmp", i);
      Touch(Directory() + name);
      std::snprintf(name, sizeof name, "/photo%06d.%s", i, kExtensions[i % kExtensions.size()]);
      Touch(PictureDirectory() + name);
    }
  }
  ~Wallpapers() { std::filesystem::remove_all(root_); }

  std::string Directory() const { return root_ + "/images"; }
  std::string PictureDirectory() const { return root_ + "/photos"; }
  std::string PlatformDirectory() const { return root_ + "/platform"; }

 private:
  static void Touch(const std::string& path) {
    ::close(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  }

  static constexpr std::array<const char*, 5> kExtensions = {"bmp", "JPG", "jpeg", "png", "webp"};
  std::string root_;
};

const Wallpapers& TheWallpapers() {
  static const Wallpapers wallpapers;
  return wallpapers;
}

// The program's file list on the POSIX layer, listing the directory again at each iteration.
void MeasureFileList(benchmark::State& state, const char* mask, const std::string& directory) {
  fondex::platform::posix::PosixPlatform platform(TheWallpapers().PlatformDirectory());
  fondex::toolkit::FileListBox list("FichListeBox", nullptr, platform.Files(),
                                    platform.Collation());
  list.mask = mask;
  list.SetDirectory(platform.Paths().ToWindows(directory));
  for (auto _ : state) {
    list.Update();
    benchmark::DoNotOptimize(list);
  }
  if (list.Count() != kFileCount) {
    state.SkipWithError("the file list does not show every picture");
  }
}

void FileListThroughThePlatform(benchmark::State& state) {
  MeasureFileList(state, "*.BMP", TheWallpapers().Directory());
}

void BareReaddirAndSort(benchmark::State& state) {
  fondex::bench::MeasureBareReaddirAndSort(state, TheWallpapers().Directory(), kFileCount);
}

void FileListOfFivePatterns(benchmark::State& state) {
  MeasureFileList(state, fondex::kPictureMask, TheWallpapers().PictureDirectory());
}

void BareReaddirAndSortOfPictures(benchmark::State& state) {
  fondex::bench::MeasureBareReaddirAndSort(state, TheWallpapers().PictureDirectory(), kFileCount);
}

BENCHMARK(FileListThroughThePlatform)->Unit(benchmark::kMillisecond);
BENCHMARK(BareReaddirAndSort)->Unit(benchmark::kMillisecond);
BENCHMARK(FileListOfFivePatterns)->Unit(benchmark::kMillisecond);
BENCHMARK(BareReaddirAndSortOfPictures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("file list / bare readdir+sort", "FileListThroughThePlatform",
                      "BareReaddirAndSort");
  reporter.PrintRatio("five patterns / bare readdir+sort (target at most 2)",
                      "FileListOfFivePatterns", "BareReaddirAndSortOfPictures");
  benchmark::Shutdown();
  return 0;
}
