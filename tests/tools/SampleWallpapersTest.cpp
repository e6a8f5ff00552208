// The sample wallpapers that the build drew: each one is a bitmap the program accepts and
// decodes, of the size and depth it was drawn at, and a picture rather than a flat colour.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/pictures/BitmapDecoder.h"
#include "platform/pictures/BitmapHeader.h"
#include "wallpapers/Scenes.h"

namespace fondex::tools {
namespace {

const std::filesystem::path kWallpapers = FONDEX_SAMPLE_WALLPAPERS;

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SampleWallpapersTest, EveryWallpaperPassesTheProgramsCheckAndDecodes) {
  for (const Scene& scene : SampleScenes()) {
    const std::filesystem::path path = kWallpapers / scene.folder / scene.name;
    const std::string file = Contents(path);
    const auto layout = platform::posix::ReadBitmapLayout(file);
    ASSERT_TRUE(layout) << path;
    EXPECT_EQ(layout->bitCount, scene.bitsPerPixel) << path;
    const auto picture = platform::posix::DecodeBitmap(file, {});
    ASSERT_TRUE(picture) << path;
    EXPECT_EQ(picture->width, 1920) << path;
    EXPECT_EQ(picture->height, 1080) << path;
    const std::set<std::uint32_t> colours(picture->pixels.begin(), picture->pixels.end());
    EXPECT_GE(colours.size(), 30u) << path;
  }
}

TEST(SampleWallpapersTest, EightToTwelveWallpapersInTwoOrThreeThemesAndEveryDepth) {
  std::set<std::string> themes;
  std::set<int> depths;
  for (const Scene& scene : SampleScenes()) {
    themes.insert(scene.folder);
    depths.insert(scene.bitsPerPixel);
  }
  EXPECT_GE(SampleScenes().size(), 8u);
  EXPECT_LE(SampleScenes().size(), 12u);
  EXPECT_GE(themes.size(), 2u);
  EXPECT_LE(themes.size(), 3u);
  EXPECT_EQ(depths, (std::set<int>{8, 24, 32}));
  // Nothing else lies in the folders: an old drawing left behind would be installed too.
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kWallpapers)) {
    files += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(files, SampleScenes().size());
}

}  // namespace
}  // namespace fondex::tools
