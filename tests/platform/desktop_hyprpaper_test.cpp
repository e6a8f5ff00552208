#include <gtest/gtest.h>

#include <utility>

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
      if (argv == Argv{"hyprctl", "monitors", "-j"}) {
        return ToolResult{.succeeded = reachable_, .output = monitors_};
      }
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

  // What hyprpaper was asked to show, the monitors' list left out.
  std::vector<Argv> Requests() {
    std::vector<Argv> requests = std::exchange(runner_.runs, {});
    std::erase(requests, Argv{"hyprctl", "monitors", "-j"});
    return requests;
  }

  FakeRunner runner_;
  HyprpaperBackend backend_{runner_, Plain()};
  std::string active_;
  std::string monitors_ = "[]";
  bool reachable_ = true;
};

TEST_F(HyprpaperBackendTest, EachStyleIsTheNearestFitModeOnEveryMonitor) {
  EXPECT_TRUE(backend_.Set("/home/ana/Mes images/l'été $x;`y`.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kStretched));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kFitted));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kFilled));
  EXPECT_EQ(
      Requests(),
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

// As `hyprctl monitors -j` lists them: the workspaces' names are no monitors'.
constexpr const char* kTwoMonitors = R"([{
    "id": 0, "name": "DP-1", "description": "Dell Inc. DELL U2720Q",
    "activeWorkspace": {"id": 1, "name": "1"}, "specialWorkspace": {"id": 0, "name": ""},
    "reserved": [0, 0, 0, 0], "scale": 1.50, "focused": true, "disabled": false,
    "availableModes": ["3840x2160@60.00Hz", "1920x1080@60.00Hz"]
  }, {
    "id": 1, "name": "HDMI-A-1", "description": "Samsung \"S24\"",
    "activeWorkspace": {"id": 2, "name": "2"}, "focused": false, "disabled": false
  }])";

// A monitor's own picture outranks the one for all: the whole desktop is each monitor's too.
TEST_F(HyprpaperBackendTest, EachMonitorIsAskedForByNameAndReadOnItsLine) {
  monitors_ = kTwoMonitors;
  EXPECT_EQ(backend_.Screens(), (std::vector<std::string>{"DP-1", "HDMI-A-1"}));
  runner_.runs.clear();
  EXPECT_TRUE(backend_.SetEach({{"HDMI-A-1", "/b c.png"}}, WallpaperStyle::kFilled));
  EXPECT_TRUE(backend_.Set("/a.png", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(Requests(), (std::vector<Argv>{
                            {"hyprctl", "hyprpaper", "wallpaper", "HDMI-A-1,/b c.png,cover"},
                            {"hyprctl", "hyprpaper", "wallpaper", ",/a.png,tile"},
                            {"hyprctl", "hyprpaper", "wallpaper", "DP-1,/a.png,tile"},
                            {"hyprctl", "hyprpaper", "wallpaper", "HDMI-A-1,/a.png,tile"},
                            {"hyprctl", "hyprpaper", "wallpaper", "," + Plain() + ",fit"},
                            {"hyprctl", "hyprpaper", "wallpaper", "DP-1," + Plain() + ",fit"},
                            {"hyprctl", "hyprpaper", "wallpaper", "HDMI-A-1," + Plain() + ",fit"},
                        }));
  EXPECT_FALSE(backend_.SetEach({{"DP-1", "/a,b.png"}}, WallpaperStyle::kFilled));
  EXPECT_FALSE(backend_.SetEach({{"DP,1", "/a.png"}}, WallpaperStyle::kFilled));
  EXPECT_TRUE(Requests().empty());

  active_ = "DP-1: /a/./b.png\nHDMI-A-1: " + Plain() + "\n";
  const std::pair<const char*, std::optional<std::string>> shown[] = {
      {"DP-1", "/a/b.png"}, {"HDMI-A-1", ""}, {"DP-2", std::nullopt}, {"DP", std::nullopt}};
  for (const auto& [monitor, picture] : shown) {
    EXPECT_EQ(backend_.CurrentOn(monitor), picture) << monitor;
  }
  monitors_ = "not JSON";
  EXPECT_TRUE(backend_.Screens().empty());
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
