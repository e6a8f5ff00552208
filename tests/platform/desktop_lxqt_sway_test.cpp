#include <gtest/gtest.h>

#include <optional>

#include <filesystem>
#include <fstream>
#include <functional>

#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/desktop/LxqtBackend.h"
#include "platform/posix/desktop/SwaybgBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

using testing::FakeRunner;

// pcmanfm-qt as it behaves: --desktop-off ends it, a desktop started again takes its bus name,
// and a picture asked for on its command line is saved (since 1.4 with its mode).
class LxqtBackendTest : public posix::testing::ScratchTest {
 protected:
  LxqtBackendTest() {
    MakeDirectory("config/pcmanfm-qt/lxqt");
    runner_.respond = [this](const Argv& argv) -> std::optional<ToolResult> {
      if (argv == Argv{"pcmanfm-qt", "--version"}) {
        return ToolResult{true, "pcmanfm-qt " + version_ + "\n"};
      }
      if (argv == Argv{"pcmanfm-qt", "--desktop-off"}) {
        running_ = keepsRunning_;
        if (onEnd_) {
          onEnd_();
        }
      } else if (argv.front() == "pcmanfm-qt" && takesRequests_) {
        Save(argv);
      } else if (argv.front() == "dbus-send") {
        running_ = running_ || runner_.lastingEvents.size() > startsSeen_;
        startsSeen_ = runner_.lastingEvents.size();
        return ToolResult{true, running_ ? "   boolean true\n" : "   boolean false\n"};
      }
      return std::nullopt;
    };
  }

  // "--set-wallpaper FILE --wallpaper-mode MODE" or "--wallpaper-mode MODE", saved.
  void Save(const Argv& argv) {
    std::string settings = Settings();
    if (argv.at(1) == "--set-wallpaper") {
      settings = WithProfileValue(settings, "Desktop", "Wallpaper", argv.at(2));
    }
    if (version_ != "1.2.1") {
      const std::string mode = argv.back() == "color" ? "none" : argv.back();
      settings = WithProfileValue(settings, "Desktop", "WallpaperMode", mode);
    }
    Write("config/pcmanfm-qt/lxqt/settings.conf", settings);
  }

  // What the back-end asked of pcmanfm-qt, the bus queries left out.
  std::vector<std::string> Requests() {
    std::vector<std::string> requests;
    for (const Argv& argv : std::exchange(runner_.runs, {})) {
      if (argv.front() == "pcmanfm-qt" && argv.at(1) != "--version") {
        requests.push_back(argv.at(1) + (argv.size() > 2 ? " " + argv.at(2) : "") +
                           (argv.size() > 4 ? " " + argv.at(4) : ""));
      }
    }
    for (std::string& event : std::exchange(runner_.lastingEvents, {})) {
      requests.push_back(event.substr(event.find("pcmanfm-qt")));
    }
    startsSeen_ = 0;
    return requests;
  }

  std::string Settings() const { return Read("config/pcmanfm-qt/lxqt/settings.conf"); }

  FakeRunner runner_;
  LxqtBackend backend_{runner_, Posix("config/pcmanfm-qt/lxqt/settings.conf")};
  std::string version_ = "1.2.1";
  bool running_ = true;
  bool keepsRunning_ = false;
  bool takesRequests_ = true;
  std::function<void()> onEnd_;  // what else happens as the desktop ends
  std::size_t startsSeen_ = 0;
};

TEST_F(LxqtBackendTest, EachModeIsLoadedByTheDesktopAndPicturesFollowOnItsCommandLine) {
  Write("config/pcmanfm-qt/lxqt/settings.conf",
        "[Desktop]\nBgColor=#102030\nWallpaperMode=stretch\nWallpaper=/a.bmp\n");
  const std::string desktop = "pcmanfm-qt --desktop --profile=lxqt";
  struct Step {
    const char* picture;  // nullptr: a plain desktop
    WallpaperStyle style;
    std::vector<std::string> requests;
    const char* settings;
  };
  const Step steps[] = {
      // Whatever mode another request left on the screen, the first change loads its own.
      {"/b.bmp",
       WallpaperStyle::kStretched,
       {"--desktop-off", desktop},
       "[Desktop]\nBgColor=#102030\nWallpaperMode=stretch\nWallpaper=/b.bmp\n"},
      {"/c.bmp", WallpaperStyle::kStretched, {"--set-wallpaper /c.bmp stretch"}, nullptr},
      {nullptr,
       WallpaperStyle::kStretched,
       {"--desktop-off", desktop},
       "[Desktop]\nBgColor=#102030\nWallpaperMode=none\nWallpaper=/c.bmp\n"},
      // The picture after a plain desktop, in the mode that was loaded before it.
      {"/c.bmp",
       WallpaperStyle::kStretched,
       {"--desktop-off", desktop},
       "[Desktop]\nBgColor=#102030\nWallpaperMode=stretch\nWallpaper=/./c.bmp\n"},
      {"/d, été 1.bmp",
       WallpaperStyle::kCentred,
       {"--desktop-off", desktop},
       "[Desktop]\nBgColor=#102030\nWallpaperMode=center\n"
       "Wallpaper=\"/d, \\x00E9t\\x00E9 1.bmp\"\n"},
      {"/e.bmp", WallpaperStyle::kCentred, {"--set-wallpaper /e.bmp center"}, nullptr},
      {"/e.bmp", WallpaperStyle::kTiled, {"--desktop-off", desktop}, nullptr},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.picture ? step.picture : "plain");
    EXPECT_TRUE(step.picture ? backend_.Set(step.picture, step.style) : backend_.Clear());
    EXPECT_EQ(Requests(), step.requests);
    if (step.settings) {
      EXPECT_EQ(Settings(), step.settings);
    }
  }
}

TEST_F(LxqtBackendTest, SinceItSavesModesEveryChangeGoesThroughItsCommandLine) {
  version_ = "2.1.0";
  Write("config/pcmanfm-qt/lxqt/settings.conf",
        "[Desktop]\nBgColor=#102030\nWallpaperMode=stretch\nWallpaper=/a.bmp\n");
  EXPECT_TRUE(backend_.Set("/b.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(backend_.Current(), "");
  EXPECT_TRUE(backend_.Set("/c.bmp", WallpaperStyle::kTiled));
  EXPECT_EQ(Requests(),
            (std::vector<std::string>{"--set-wallpaper /b.bmp center", "--wallpaper-mode color",
                                      "--set-wallpaper /c.bmp tile"}));
  EXPECT_EQ(Settings(), "[Desktop]\nBgColor=#102030\nWallpaperMode=tile\nWallpaper=/c.bmp\n");
}

// A desktop that answers but keeps its picture (or runs no desktop at all) has not changed.
TEST_F(LxqtBackendTest, AChangeTheDesktopDidNotSaveIsRefused) {
  takesRequests_ = false;
  Write("config/pcmanfm-qt/lxqt/settings.conf", "[Desktop]\nWallpaperMode=none\n");
  version_ = "2.1.0";
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kTiled));

  version_ = "1.2.1";
  LxqtBackend older(runner_, Posix("config/pcmanfm-qt/lxqt/settings.conf"));
  // Loaded by a restart, then asked for on the command line, where it goes unsaved.
  EXPECT_TRUE(older.Set("/a.bmp", WallpaperStyle::kTiled));
  EXPECT_FALSE(older.Set("/b.bmp", WallpaperStyle::kTiled));
}

// What cannot be read whole is never written, nor the desktop stopped for it.
TEST_F(LxqtBackendTest, SettingsThatCannotBeReadWholeAreLeftAlone) {
  std::string large = "[Behavior]\n; kept\nSingleClick=true\n[Desktop]\nBgColor=#102030\n";
  large.resize((std::size_t{17} << 20), '\n');
  Write("config/pcmanfm-qt/lxqt/settings.conf", large);
  EXPECT_FALSE(backend_.Set("/b.bmp", WallpaperStyle::kTiled));
  EXPECT_FALSE(backend_.Clear());
  EXPECT_EQ(Settings(), large);

  std::filesystem::remove(Posix("config/pcmanfm-qt/lxqt/settings.conf"));
  MakeDirectory("config/pcmanfm-qt/lxqt/settings.conf");
  EXPECT_FALSE(backend_.Set("/b.bmp", WallpaperStyle::kTiled));
  EXPECT_TRUE(std::filesystem::is_directory(Posix("config/pcmanfm-qt/lxqt/settings.conf")));
  EXPECT_TRUE(Requests().empty());
}

// The desktop is never left switched off: a file it cannot take stops nothing, and whatever fails
// once it has ended starts it again with the settings it had.
TEST_F(LxqtBackendTest, TheDesktopRunsAgainWithItsOwnSettingsWhateverFails) {
  const std::string settings = "[Desktop]\nWallpaperMode=none\n";
  const auto readOnly = [this] {
    std::filesystem::permissions(Posix("config/pcmanfm-qt/lxqt/settings.conf"),
                                 std::filesystem::perms::owner_read);
  };
  const std::string desktop = "pcmanfm-qt --desktop --profile=lxqt";
  const struct {
    const char* what;
    std::function<void()> before;
    std::function<void()> asItEnds;
    std::vector<std::string> requests;
  } cases[] = {
      {"a read-only file", readOnly, nullptr, {}},
      {"a file made read-only as it ended", nullptr, readOnly, {"--desktop-off", desktop}},
      {"windows of its own kept open",
       [this] { keepsRunning_ = true; },
       nullptr,
       {"--desktop-off", desktop}},
  };
  for (const auto& [what, before, asItEnds, requests] : cases) {
    SCOPED_TRACE(what);
    Write("config/pcmanfm-qt/lxqt/settings.conf", settings);
    if (before) {
      before();
    }
    onEnd_ = asItEnds;
    EXPECT_FALSE(backend_.Set("/b.bmp", WallpaperStyle::kTiled));
    EXPECT_EQ(Requests(), requests);
    EXPECT_TRUE(running_);
    EXPECT_EQ(Settings(), settings);
    std::filesystem::permissions(
        Posix("config/pcmanfm-qt/lxqt/settings.conf"),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    keepsRunning_ = false;
  }
}

TEST_F(LxqtBackendTest, AFreshProfileGetsItsSettingsFileFromTheFirstChange) {
  running_ = false;
  std::filesystem::remove_all(Posix("config/pcmanfm-qt"));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(Settings(), "[Desktop]\nWallpaperMode=none\n");
  EXPECT_EQ(backend_.Current(), "");
  // The plain mode is now the loaded one: a second plain desktop asks for nothing.
  Requests();
  EXPECT_TRUE(backend_.Clear());
  EXPECT_TRUE(Requests().empty());
  EXPECT_TRUE(backend_.Set("/b.bmp", WallpaperStyle::kTiled));
  EXPECT_EQ(Settings(), "[Desktop]\nWallpaperMode=tile\nWallpaper=/b.bmp\n");
}

TEST_F(LxqtBackendTest, APathThatIsNotTextIsRefused) {
  EXPECT_FALSE(backend_.Set("/home/ana/\xE9t\xE9.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(Requests().empty());
}

TEST_F(LxqtBackendTest, ReadsAndFollowsItsSettingsFile) {
  version_ = "2.1.0";
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

  // Every mode but the five that draw a picture shows the colour alone; each of the five is a
  // layout, which the file holds once the desktop saves the modes it is asked for (1.4 on).
  const struct {
    const char* mode;
    const char* shown;
    std::optional<WallpaperStyle> style;
  } modes[] = {
      {"none", "", std::nullopt},
      {"color", "", std::nullopt},
      {"", "", std::nullopt},
      {"tile", "/home/ana/mer.bmp", WallpaperStyle::kTiled},
      {"center", "/home/ana/mer.bmp", WallpaperStyle::kCentred},
      {"stretch", "/home/ana/mer.bmp", WallpaperStyle::kStretched},
      {"fit", "/home/ana/mer.bmp", WallpaperStyle::kFitted},
      {"zoom", "/home/ana/mer.bmp", WallpaperStyle::kFilled},
  };
  for (const auto& [mode, shown, style] : modes) {
    Write("config/pcmanfm-qt/lxqt/settings.conf",
          std::string("[Desktop]\nWallpaperMode=") + mode + "\nWallpaper=/home/ana/./mer.bmp\n");
    EXPECT_TRUE(feed->Drain());
    EXPECT_EQ(backend_.Current(), shown) << mode;
    EXPECT_EQ(backend_.ShownStyle(), style) << mode;
  }
  LxqtBackend older{runner_, Posix("config/pcmanfm-qt/lxqt/settings.conf")};
  version_ = "1.2.1";
  EXPECT_EQ(older.Current(), "/home/ana/mer.bmp");
  EXPECT_EQ(older.ShownStyle(), std::nullopt);
}

class SwaybgBackendTest : public ::testing::Test {
 protected:
  // A drawer another program started in the session.
  void Running(int pid, Argv argv) {
    runner_.session.push_back({.pid = pid, .started = runner_.session.size() + 1, .argv = argv});
  }

  FakeRunner runner_;
  SwaybgBackend backend_{runner_};
};

TEST_F(SwaybgBackendTest, EachChangeStartsTheNewDrawerThenStopsEveryEarlierOneOfTheSession) {
  Running(300, {"swaybg"});  // sway's own, drawing nothing
  Running(301, {"swaybg", "-c", "#113344"});
  EXPECT_TRUE(backend_.Set("/home/ana/Mes images/l'été $x;`y`.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend_.Set("/a.bmp", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(runner_.lastingEvents,
            (std::vector<std::string>{
                "start 4100 swaybg -o * -i /home/ana/Mes images/l'été $x;`y`.bmp -m center -c "
                "#113344",
                "stop 300 swaybg",
                "stop 301 swaybg",
                "start 4101 swaybg -o * -i /a.bmp -m tile -c #113344",
                "stop 4100 swaybg",
                "start 4102 swaybg -o * -m solid_color -c #113344",
                "stop 4101 swaybg",
            }));
  EXPECT_EQ(runner_.session.size(), 1u);
}

TEST_F(SwaybgBackendTest, APlainDesktopIsTheSessionsColourOrBlackWithoutOne) {
  const std::vector<std::pair<Argv, std::string>> sessions = {
      {{"swaybg", "--color=224466", "-i", "/a.png"}, "#224466"},
      {{"swaybg", "-o", "*", "-i", "/a.png", "-m", "fill"}, "#000000"},
      {{"swaybg", "-c#101010"}, "#101010"},
      {{"swaybg", "-c", "11334480"}, "#11334480"},
      {{"swaybg", "-c", "red"}, "#000000"},  // swaybg would refuse it
      {{"swaybg", "-c", "#12345"}, "#000000"},
  };
  for (const auto& [argv, colour] : sessions) {
    runner_.session.clear();
    runner_.lastingEvents.clear();
    Running(77, argv);
    EXPECT_TRUE(backend_.Clear());
    EXPECT_EQ(runner_.lastingEvents.front(), "start 4100 swaybg -o * -m solid_color -c " + colour);
    runner_.nextPid = 4100;
  }
}

TEST_F(SwaybgBackendTest, ADrawerThatDoesNotStartRefusesAndLeavesTheSessionsOwn) {
  Running(977, {"swaybg", "-i", "/old.bmp"});
  runner_.lastingStarts = false;
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  EXPECT_FALSE(backend_.Clear());
  EXPECT_TRUE(runner_.lastingEvents.empty());
  EXPECT_EQ(backend_.Current(), "/old.bmp");
}

TEST_F(SwaybgBackendTest, TheNewestDrawerIsWhatTheScreenShows) {
  EXPECT_EQ(backend_.Current(), std::nullopt);  // nothing of swaybg's draws
  const struct {
    Argv argv;
    std::string shown;
    std::optional<WallpaperStyle> style;
  } drawers[] = {
      {{"swaybg", "-o", "HEADLESS-1", "-i", "/home/ana/./mer.bmp", "-m", "fill"},
       "/home/ana/mer.bmp",
       WallpaperStyle::kFilled},
      {{"swaybg", "--image=/b c.png", "--mode=fit"}, "/b c.png", WallpaperStyle::kFitted},
      {{"swaybg", "-o", "-i", "-c", "#113344"}, "", std::nullopt},  // an output named "-i"
      {{"swaybg", "-o", "*", "-m", "solid_color", "-c", "#000000"}, "", std::nullopt},
      {{"swaybg", "-i", "/d.png"}, "/d.png", std::nullopt},  // in swaybg's own default mode
      {{"swaybg"}, "/d.png", std::nullopt},                  // draws nothing over it
  };
  int pid = 500;
  for (const auto& [argv, shown, style] : drawers) {
    Running(pid++, argv);
    EXPECT_EQ(backend_.Current(), shown) << argv.back();
    EXPECT_EQ(backend_.ShownStyle(), style) << argv.back();
  }
}

TEST_F(SwaybgBackendTest, FollowsADrawerStartedOrEndedByAnotherProgram) {
  Running(600, {"swaybg", "-c", "#113344"});
  const std::unique_ptr<ChangeFeed> feed = backend_.Follow();
  ASSERT_NE(feed, nullptr);
  EXPECT_GE(feed->Descriptor(), 0);  // a pace to look again at
  EXPECT_FALSE(feed->Drain());
  Running(601, {"swaybg", "-i", "/b.png"});
  EXPECT_TRUE(feed->Drain());
  EXPECT_FALSE(feed->Drain());
  EXPECT_EQ(backend_.Current(), "/b.png");
  runner_.session.pop_back();
  EXPECT_TRUE(feed->Drain());
  EXPECT_EQ(backend_.Current(), "");
}

TEST(SwaybgOutputs, EachOutputTakesItsOptionsAsSwaybgMergesThem) {
  const struct {
    Argv argv;
    std::vector<SwaybgOutput> outputs;
  } lines[] = {
      {{"swaybg", "-i", "/a.png", "-o", "DP-1", "--image=/b.png", "-m", "fit", "-c", "#102030"},
       {{"*", "/a.png", {}, {}}, {"DP-1", "/b.png", "#102030", "fit"}}},
      // The later options of an output win; one given nothing to draw is left out.
      {{"swaybg", "-o", "DP-1", "-i", "/a.png", "-o", "HDMI-A-1", "-m", "fill", "-o", "DP-1", "-i",
        "/c.png"},
       {{"DP-1", "/c.png", {}, {}}}},
      {{"swaybg", "-o", "-i", "-c", "#113344"}, {{"-i", {}, "#113344", {}}}},
      {{"swaybg"}, {}},
  };
  for (const auto& [argv, outputs] : lines) {
    EXPECT_EQ(OutputsOf(argv), outputs) << argv.back();
  }
}

TEST(SwaybgOutputs, TheEnabledOutputsAreReadFromEachLister) {
  const std::string sway = R"([{"id": 3, "name": "HEADLESS-1", "active": true,
      "rect": {"x": 0, "y": 0}, "modes": [], "current_mode": {"width": 800}},
    {"id": 5, "name": "DP-2", "active": false, "focus": [4, 7]},
    {"id": 6, "name": "eDP-\u00e91", "active": true}])";
  EXPECT_EQ(OutputNames(OutputLister::kSway, sway), (std::vector<std::string>{"HEADLESS-1",
                                                                              "eDP-\xC3\xA9"
                                                                              "1"}));
  EXPECT_TRUE(OutputNames(OutputLister::kSway, "[{\"name\": \"DP-1\"").empty());
  const std::string wlrRandr =
      "HEADLESS-1 \"Headless output 1\"\n  Enabled: yes\n  Modes:\n    1280x720 px\n"
      "DP-2 \"Dell Inc. U2720Q\"\n  Enabled: no\n"
      "HDMI-A-1 \"Samsung\"\n  Physical size: 520x290 mm\n  Enabled: yes\n";
  EXPECT_EQ(OutputNames(OutputLister::kWlroots, wlrRandr),
            (std::vector<std::string>{"HEADLESS-1", "HDMI-A-1"}));
}

TEST_F(SwaybgBackendTest, OneDrawerHoldsEveryOutputAndTheOthersKeepWhatTheyShow) {
  // An older drawer of the program's, then one of the user's on one output above it.
  Running(300, {"swaybg", "-o", "*", "-i", "/tous.bmp", "-m", "fill", "-c", "#113344"});
  Running(301, {"swaybg", "-o", "HDMI-A-1", "-i", "/main.png", "-m", "fit"});
  EXPECT_EQ(backend_.CurrentOn("HDMI-A-1"), "/main.png");
  EXPECT_EQ(backend_.ShownStyle(), WallpaperStyle::kFitted);
  EXPECT_EQ(backend_.CurrentOn("DP-1"), "/tous.bmp");
  EXPECT_TRUE(backend_.SetEach({{"DP-1", "/a b.bmp"}}, WallpaperStyle::kCentred));
  EXPECT_TRUE(
      backend_.SetEach({{"DP-2", "/c.bmp"}, {"HDMI-A-1", "/d.bmp"}}, WallpaperStyle::kTiled));
  EXPECT_EQ(runner_.lastingEvents,
            (std::vector<std::string>{
                "start 4100 swaybg -o * -i /tous.bmp -m center -c #113344 -o HDMI-A-1 -i "
                "/main.png -m center -c #113344 -o DP-1 -i /a b.bmp -m center -c #113344",
                "stop 300 swaybg",
                "stop 301 swaybg",
                "start 4101 swaybg -o * -i /tous.bmp -m tile -c #113344 -o DP-1 -i /a b.bmp -m "
                "tile -c #113344 -o DP-2 -i /c.bmp -m tile -c #113344 -o HDMI-A-1 -i /d.bmp -m "
                "tile -c #113344",
                "stop 4100 swaybg",
            }));
  EXPECT_EQ(backend_.CurrentOn("DP-1"), "/a b.bmp");
  EXPECT_EQ(backend_.CurrentOn("HDMI-A-2"), "/tous.bmp");
  // A plain desktop everywhere, read as plain on each output.
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(backend_.CurrentOn("DP-1"), "");
  runner_.session.clear();
  EXPECT_EQ(backend_.CurrentOn("DP-1"), std::nullopt);
}

TEST_F(SwaybgBackendTest, AnOutputOfAPlainColourStaysPlainAndTheListerIsTheSessionsOwn) {
  Running(300, {"swaybg", "-o", "DP-1", "-m", "solid_color", "-c", "#224466", "-o", "DP-2", "-i",
                "/b.png"});
  EXPECT_TRUE(backend_.SetEach({{"DP-2", "/c.png"}}, WallpaperStyle::kStretched));
  EXPECT_EQ(runner_.lastingEvents.front(),
            "start 4100 swaybg -o DP-1 -m solid_color -c #224466 -o DP-2 -i /c.png -m stretch -c "
            "#224466");
  runner_.Answer({"swaymsg"},
                 {.succeeded = true, .output = R"([{"name": "DP-1", "active": true}])"});
  runner_.Answer({"wlr-randr"}, {.succeeded = true, .output = "DP-9 \"x\"\n  Enabled: yes\n"});
  EXPECT_EQ(SwaybgBackend(runner_, OutputLister::kSway).Screens(),
            std::vector<std::string>{"DP-1"});
  EXPECT_EQ(backend_.Screens(), std::vector<std::string>{"DP-9"});
  runner_.Fail({"wlr-randr"});
  EXPECT_TRUE(backend_.Screens().empty());
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
