#include <gtest/gtest.h>

#include <fstream>

#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/posix/desktop/LxqtBackend.h"
#include "platform/posix/desktop/SwaybgBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

using testing::FakeRunner;

class LxqtBackendTest : public posix::testing::ScratchTest {
 protected:
  LxqtBackendTest() { MakeDirectory("config/pcmanfm-qt/lxqt"); }

  FakeRunner runner_;
  LxqtBackend backend_{runner_, Posix("config/pcmanfm-qt/lxqt/settings.conf")};
};

TEST_F(LxqtBackendTest, HandsThePathToTheDesktopsOwnTool) {
  const std::string path = "/home/ana/Mes images/l'été \"$x\";`y`\\.bmp";
  EXPECT_TRUE(backend_.Set(path, WallpaperStyle::kCentred));
  EXPECT_TRUE(backend_.Set(path, WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Set("/a.bmp", WallpaperStyle::kStretched));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(runner_.runs,
            (std::vector<Argv>{
                {"pcmanfm-qt", "--set-wallpaper", path, "--wallpaper-mode", "center"},
                {"pcmanfm-qt", "--set-wallpaper", "/home/ana/Mes images/./l'été \"$x\";`y`\\.bmp",
                 "--wallpaper-mode", "tile"},
                {"pcmanfm-qt", "--set-wallpaper", "/a.bmp", "--wallpaper-mode", "stretch"},
                {"pcmanfm-qt", "--wallpaper-mode", "color"},
            }));

  runner_.runs.clear();
  EXPECT_FALSE(backend_.Set("/home/ana/\xE9t\xE9.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(runner_.runs.empty());
  runner_.Fail({"pcmanfm-qt"});
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  EXPECT_FALSE(backend_.Clear());
}

TEST_F(LxqtBackendTest, ReadsAndFollowsItsSettingsFile) {
  EXPECT_FALSE(backend_.Current().has_value());
  const auto feed = backend_.Follow();
  ASSERT_NE(feed, nullptr);
  ASSERT_GE(feed->Descriptor(), 0);

  Write("config/pcmanfm-qt/lxqt/settings.conf",
        "[Behavior]\nWallpaper=/ailleurs.bmp\n\n[Desktop]\nWallpaperMode=stretch\n"
        "Wallpaper=\"/home/ana/mer, \\x00e9t\\x00e9.bmp\"\n");
  EXPECT_TRUE(feed->Drain());
  EXPECT_EQ(backend_.Current(), "/home/ana/mer, été.bmp");
  Write("config/pcmanfm-qt/lxqt/other.conf", "");
  EXPECT_FALSE(feed->Drain());

  Write("config/pcmanfm-qt/lxqt/settings.conf",
        "[Desktop]\nWallpaperMode=color\nWallpaper=/home/ana/mer.bmp\n");
  EXPECT_TRUE(feed->Drain());
  EXPECT_EQ(backend_.Current(), "");
}

class SwaybgBackendTest : public posix::testing::ScratchTest {
 protected:
  std::string PidFile() const { return Posix("platform/swaybg.pid"); }

  FakeRunner runner_;
  SwaybgBackend backend_{runner_, PidFile()};
};

TEST_F(SwaybgBackendTest, EachChangeStartsTheNewDrawerBeforeStoppingTheOld) {
  EXPECT_TRUE(backend_.Set("/home/ana/Mes images/l'été $x;`y`.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(Read("platform/swaybg.pid"), "4100\n");
  EXPECT_TRUE(backend_.Set("/a.bmp", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Set("/a.bmp", WallpaperStyle::kStretched));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(runner_.lastingEvents,
            (std::vector<std::string>{
                "start 4100 swaybg -o * -i /home/ana/Mes images/l'été $x;`y`.bmp -m center",
                "start 4101 swaybg -o * -i /a.bmp -m tile",
                "stop 4100 swaybg",
                "start 4102 swaybg -o * -i /a.bmp -m stretch",
                "stop 4101 swaybg",
                "start 4103 swaybg -o * -m solid_color -c #000000",
                "stop 4102 swaybg",
            }));
  EXPECT_EQ(Read("platform/swaybg.pid"), "4103\n");
}

TEST_F(SwaybgBackendTest, ADrawerThatDoesNotStartRefusesAndLeavesTheOldOne) {
  Write("platform/swaybg.pid", "977\n");  // left by an earlier run
  runner_.lastingStarts = false;
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(runner_.lastingEvents.empty());
  EXPECT_EQ(Read("platform/swaybg.pid"), "977\n");

  runner_.lastingStarts = true;
  EXPECT_TRUE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(runner_.lastingEvents, (std::vector<std::string>{
                                       "start 4100 swaybg -o * -i /a.bmp -m center",
                                       "stop 977 swaybg",
                                   }));
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
