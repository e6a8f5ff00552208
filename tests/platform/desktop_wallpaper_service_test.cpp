#include <gtest/gtest.h>
#include <poll.h>

#include <map>

#include "Bitmaps.h"
#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/ProfileWatcher.h"

namespace fondex::platform::posix {
namespace {

using desktop::WallpaperStyle;

// A desktop that does as told and remembers what it was asked.
class ScriptedDesktop : public desktop::DesktopBackend {
 public:
  bool Set(const std::string& path, WallpaperStyle style) override {
    const char* names[] = {"centred", "tiled", "stretched", "fitted", "filled"};
    calls.push_back("set " + path + ' ' + names[static_cast<int>(style)]);
    return !refuse;
  }
  bool Clear() override {
    calls.push_back("clear");
    return !refuse;
  }
  std::optional<std::string> Current() override {
    shownStyle_ = layout;
    return shows;
  }
  std::optional<std::string> CurrentOn(const std::string& screen) override {
    const auto found = showsOn.find(screen);
    return found == showsOn.end() ? std::nullopt : std::optional(found->second);
  }
  std::unique_ptr<desktop::ChangeFeed> Follow() override {
    auto monitor = std::make_unique<desktop::testing::FakeMonitor>();
    feed = monitor.get();
    return std::make_unique<desktop::MonitorFeed>(std::move(monitor),
                                                  [](std::string_view) { return true; });
  }

  std::vector<std::string> calls;
  bool refuse = false;
  std::optional<std::string> shows;
  std::map<std::string, std::string> showsOn;
  std::optional<WallpaperStyle> layout;
  desktop::testing::FakeMonitor* feed = nullptr;
};

// Notes what the profile said at each notification.
class ProfileReader : public ProfileChangeListener {
 public:
  explicit ProfileReader(ProfileFiles& profiles) : profiles_(profiles) {}
  void ProfileChanged() override {
    heard.push_back(profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "<none>", 1024));
  }
  std::vector<std::string> heard;

 private:
  ProfileFiles& profiles_;
};

class WallpaperServiceTest : public testing::ScratchTest {
 protected:
  WallpaperServiceTest() {
    Write("mer.bmp", testing::MakeBitmap({}));
    Write("Foret.bmp", testing::MakeBitmap({}));
  }

  // The service starts on a desktop showing `shows`.
  void Start(std::optional<std::string> shows) {
    watcher_.reset();
    auto backend = std::make_unique<ScriptedDesktop>();
    backend->shows = std::move(shows);
    desktop_ = backend.get();
    service_ =
        std::make_unique<PosixDesktopWallpaper>(files_, profiles_, paths_, std::move(backend));
    watcher_ = std::make_unique<ProfileWatcher>(PlatformDirectory(), *service_);
    service_->AddListener(&reader_);
  }

  std::string Stored() {
    return profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "<none>", 1024);
  }

  void DesktopNowShows(std::string path) {
    desktop_->shows = std::move(path);
    desktop_->feed->Emit("changed");
  }

  // Lets the event loop look at everything pending, as many times as it is readable.
  void RunEventLoop() {
    pollfd watched{.fd = watcher_->Descriptor(), .events = POLLIN, .revents = 0};
    for (int round = 0; round < 10 && ::poll(&watched, 1, 0) == 1; ++round) {
      watcher_->Dispatch();
    }
  }

  PathMapper paths_{PlatformDirectory()};
  PosixFileSystem files_{paths_};
  PosixProfileFiles profiles_{files_, paths_};
  ProfileReader reader_{profiles_};
  ScriptedDesktop* desktop_ = nullptr;
  std::unique_ptr<PosixDesktopWallpaper> service_;
  std::unique_ptr<ProfileWatcher> watcher_;
};

TEST_F(WallpaperServiceTest, OwnChangesReachTheDesktopAndAreToldOnceInsideTheCall) {
  Start(std::nullopt);
  Write("platform/WIN.INI", "[Desktop]\r\nTileWallpaper=1\r\nWallpaperStyle=2\r\n");
  ASSERT_TRUE(files_.SetCurrentDirectory(Windows("")));
  EXPECT_TRUE(service_->SetDeskWallpaper("mer.bmp"));
  EXPECT_EQ(reader_.heard, (std::vector<std::string>{"mer.bmp"}));

  Write("platform/WIN.INI", "[Desktop]\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  EXPECT_TRUE(service_->SetDeskWallpaper(Windows("FORET.BMP")));
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=x\r\n");
  EXPECT_TRUE(service_->SetDeskWallpaper(Windows("mer.bmp")));
  EXPECT_TRUE(service_->SetDeskWallpaper(""));
  EXPECT_EQ(desktop_->calls, (std::vector<std::string>{
                                 "set " + Posix("mer.bmp") + " tiled",
                                 "set " + Posix("Foret.bmp") + " stretched",
                                 "set " + Posix("mer.bmp") + " centred",
                                 "clear",
                             }));
  EXPECT_EQ(reader_.heard.size(), 4u);

  // The desktop echoes the program's own changes: nobody hears of them again.
  desktop_->shows = "";
  desktop_->feed->Emit("picture-options: 'none'");
  RunEventLoop();
  EXPECT_EQ(reader_.heard.size(), 4u);
  EXPECT_TRUE(service_->SetDeskWallpaper(Windows("mer.bmp")));
  DesktopNowShows(Posix("mer.bmp"));
  RunEventLoop();
  EXPECT_EQ(reader_.heard.size(), 5u);
}

TEST_F(WallpaperServiceTest, APictureTheDesktopRefusesChangesNothing) {
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=c:\\ancien.bmp\r\n");
  Start(std::nullopt);
  desktop_->refuse = true;
  EXPECT_FALSE(service_->SetDeskWallpaper(Windows("mer.bmp")));
  EXPECT_FALSE(service_->SetDeskWallpaper(""));
  EXPECT_EQ(Stored(), "c:\\ancien.bmp");
  RunEventLoop();
  EXPECT_TRUE(reader_.heard.empty());
}

TEST_F(WallpaperServiceTest, AtStartTheProfileLearnsWhatTheDesktopShows) {
  Start(Posix("Foret.bmp"));
  EXPECT_EQ(Stored(), Windows("Foret.bmp"));

  // The program's own spelling of the same file is kept.
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=" + Windows("foret.bmp") + "\r\n");
  Start(Posix("Foret.bmp"));
  EXPECT_EQ(Stored(), Windows("foret.bmp"));

  Start(std::nullopt);  // a desktop that cannot say leaves the profile alone
  EXPECT_EQ(Stored(), Windows("foret.bmp"));

  Start("");
  EXPECT_EQ(Stored(), "");
  RunEventLoop();
  EXPECT_TRUE(reader_.heard.empty());
}

// The window's screen's picture is told once, in the profile's spelling when it names that
// file; a screen the desktop cannot speak of, or a plain one, is taken as the desktop says.
TEST_F(WallpaperServiceTest, FollowingAScreenStoresItsPictureWhenItIsAnother) {
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=" + Windows("MER.bmp") + "\r\n");
  Start(Posix("mer.bmp"));
  desktop_->showsOn = {{"HDMI-1", Posix("Foret.bmp")}, {"DP-1", Posix("mer.bmp")}, {"DP-2", ""}};
  const std::vector<std::pair<std::string, std::string>> steps = {
      {"DP-1", Windows("MER.bmp")},
      {"HDMI-1", Windows("Foret.bmp")},
      {"HDMI-1", Windows("Foret.bmp")},
      {"VGA-0", Windows("Foret.bmp")},
      {"DP-2", ""},
  };
  for (const auto& [screen, stored] : steps) {
    service_->FollowScreen(screen);
    EXPECT_EQ(Stored(), stored) << screen;
  }
  EXPECT_EQ(reader_.heard, (std::vector<std::string>{Windows("Foret.bmp"), ""}));
}

TEST_F(WallpaperServiceTest, EachOutsideChangeOnTheDesktopIsStoredAndToldOnce) {
  Start(Posix("mer.bmp"));
  DesktopNowShows(Posix("Foret.bmp"));
  RunEventLoop();
  EXPECT_EQ(reader_.heard, (std::vector<std::string>{Windows("Foret.bmp")}));

  // The profile changed by hand while the desktop's picture stayed: the profile wins.
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=c:\\autre.bmp\r\n");
  desktop_->feed->Emit("color-shading-type: 'solid'");
  RunEventLoop();
  EXPECT_EQ(reader_.heard, (std::vector<std::string>{Windows("Foret.bmp"), "c:\\autre.bmp"}));

  DesktopNowShows("");
  RunEventLoop();
  EXPECT_EQ(reader_.heard.size(), 3u);
  EXPECT_EQ(Stored(), "");

  // The same file set again by the program after the desktop left it.
  EXPECT_TRUE(service_->SetDeskWallpaper(Windows("Foret.bmp")));
  EXPECT_EQ(desktop_->calls.back(), "set " + Posix("Foret.bmp") + " centred");
}

// A layout chosen in the desktop's own settings becomes the system profile's: the program's
// next change keeps it rather than putting back the one the profile said before.
TEST_F(WallpaperServiceTest, TheDesktopsOwnLayoutBecomesTheProfilesAndTheNextChangeKeepsIt) {
  Write("platform/WIN.INI", "[Desktop]\r\nTileWallpaper=1\r\nWallpaperStyle=2\r\n");
  desktop_ = nullptr;
  auto backend = std::make_unique<ScriptedDesktop>();
  backend->shows = Posix("mer.bmp");
  backend->layout = WallpaperStyle::kFilled;
  desktop_ = backend.get();
  service_ = std::make_unique<PosixDesktopWallpaper>(files_, profiles_, paths_, std::move(backend));
  service_->AddListener(&reader_);
  const auto style = [this] {
    return profiles_.GetString("WIN.INI", "Desktop", "TileWallpaper", "-", 16) + "/" +
           profiles_.GetString("WIN.INI", "Desktop", "WallpaperStyle", "-", 16);
  };
  EXPECT_EQ(style(), "0/10");
  EXPECT_TRUE(service_->SetDeskWallpaper(Windows("Foret.bmp")));
  EXPECT_EQ(desktop_->calls.back(), "set " + Posix("Foret.bmp") + " filled");

  // The desktop's echo of that change, read after the profile was edited, is no news.
  desktop_->shows = Posix("Foret.bmp");
  Write("platform/WIN.INI", "[Desktop]\r\nWallpaper=" + Windows("Foret.bmp") +
                                "\r\nTileWallpaper=1\r\nWallpaperStyle=0\r\n");
  service_->CheckDesktopWallpaper();
  EXPECT_EQ(style(), "1/0");

  // The user fits the same picture in the desktop's settings: nobody is told of a new picture.
  const std::size_t heard = reader_.heard.size();
  desktop_->layout = WallpaperStyle::kFitted;
  service_->CheckDesktopWallpaper();
  EXPECT_EQ(style(), "0/6");
  EXPECT_EQ(reader_.heard.size(), heard);

  // A desktop that cannot say, or a plain one, leaves the profile's layout alone.
  desktop_->layout.reset();
  service_->CheckDesktopWallpaper();
  desktop_->layout = WallpaperStyle::kTiled;
  desktop_->shows = "";
  service_->CheckDesktopWallpaper();
  EXPECT_EQ(style(), "0/6");
}

}  // namespace
}  // namespace fondex::platform::posix
