// Draws the sample wallpapers into themed folders of bitmap files.
//
//   fondex_wallpapers FOLDER   ->   FOLDER/paysages/collines.bmp, ...

#include <QSize>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "wallpapers/BitmapFile.h"
#include "wallpapers/Scenes.h"

namespace {

constexpr QSize kWallpaperSize(1920, 1080);

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fondex_wallpapers FOLDER\n";
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const fondex::tools::Scene& scene : fondex::tools::SampleScenes()) {
    const auto bytes = fondex::tools::BitmapFileOf(scene.draw(kWallpaperSize), scene.bitsPerPixel);
    const std::filesystem::path path = root / scene.folder / scene.name;
    if (!bytes || !Write(path, *bytes)) {
      std::cerr << "fondex_wallpapers: cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
