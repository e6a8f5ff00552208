#include <gtest/gtest.h>

#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/posix/desktop/HyprpaperBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

using testing::FakeRunner;

// hyprpaper as hyprctl shows it: what `wallpaper` was last handed is what `listactive` lists.
class HyprpaperBackendTest : public posix::testing::ScratchTest {
 protected:
  HyprpaperBackendTest() {
    runner_.respond = [this](const Argv& argv) -> std::optional<ToolResult> {
      if (argv == Argv{"hyprctl", "hyprpaper", "listactive"}) {
        return ToolResult{.succeeded = reachable_, .output = active_};
      }
      if (argv.size() == 4 && argv[2] == "wallpaper" && reachable_) {
        const std::string& request = argv[3];
        const std::size_t end = request.rfind(',');
        active_ = "HEADLESS-1: " + request.substr(1, end - 1) + "\n";
      }
      return ToolResult{.succeeded = reachable_, .output = {}};
    };
  }

  std::string Plain() const { return Posix("platform/plain-desktop.bmp"); }

  FakeRunner runner_;
  HyprpaperBackend backend_{runner_, Plain()};
  std::string active_;
  bool reachable_ = true;
};

TEST_F(HyprpaperBackendTest, EachStyleIsTheNearestFitModeOnEveryMonitor) {
  EXPECT_TRUE(backend_.Set("/home/ana/Mes images/l'été $x;`y`.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kStretched));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kFitted));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kFilled));
  EXPECT_EQ(
      runner_.runs,
      (std::vector<Argv>{
          {"hyprctl", "hyprpaper", "wallpaper", ",/home/ana/Mes images/l'été $x;`y`.bmp,contain"},
          {"hyprctl", "hyprpaper", "wallpaper", ",/a.png,tile"},
          {"hyprctl", "hyprpaper", "wallpaper", ",/a.png,fit"},
          {"hyprctl", "hyprpaper", "wallpaper", ",/a.png,contain"},
          {"hyprctl", "hyprpaper", "wallpaper", ",/a.png,cover"},
      }));
  EXPECT_EQ(backend_.Current(), "/a.png");
}

TEST_F(HyprpaperBackendTest, ANameWithACommaIsRefusedRatherThanCut) {
  EXPECT_FALSE(backend_.Set("/images/mer,plage.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(runner_.runs.empty());
}

TEST_F(HyprpaperBackendTest, APlainDesktopIsOneBlackPixelAndReadsBackAsPlain) {
  EXPECT_TRUE(backend_.Clear());
  const std::string pixel = Read("platform/plain-desktop.bmp");
  ASSERT_EQ(pixel.size(), 58u);
  EXPECT_EQ(pixel.substr(0, 2), "BM");
  EXPECT_EQ(pixel[18], 1);  // one pixel wide
  EXPECT_EQ(pixel[22], 1);  // and high
  EXPECT_EQ(pixel.substr(54), std::string(4, '\0'));
  EXPECT_EQ(backend_.Current(), "");
  EXPECT_TRUE(backend_.Clear());  // the picture is there already
}

TEST_F(HyprpaperBackendTest, WhatShowsIsReadAndFollowedWhileHyprpaperAnswers) {
  EXPECT_EQ(backend_.Current(), std::nullopt);  // showing nothing yet
  active_ = "HEADLESS-1: /home/ana/./mer.bmp\nHEADLESS-2: /b.png\n";
  EXPECT_EQ(backend_.Current(), "/home/ana/mer.bmp");
  const std::unique_ptr<ChangeFeed> feed = backend_.Follow();
  EXPECT_FALSE(feed->Drain());
  active_ = "HEADLESS-1: /c.png\n";
  EXPECT_TRUE(feed->Drain());
  EXPECT_FALSE(feed->Drain());
  reachable_ = false;
  EXPECT_EQ(backend_.Current(), std::nullopt);
  EXPECT_FALSE(backend_.Set("/a.png", WallpaperStyle::kTiled));
  EXPECT_FALSE(backend_.Clear());
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
