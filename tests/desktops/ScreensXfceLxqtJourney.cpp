// One picture per screen on XFCE: two monitors, each a RandR output of its own, as xfdesktop
// names them; the option on, a change gives each its own picture, one set by hand goes on the
// window's monitor alone. LXQt's desktop keeps one picture for all screens: nothing of its own
// to prove here, its journeys show the one picture as before.

#include <map>
#include <tuple>

#include "desktops/DesktopJourney.h"

namespace fondex::desktops {
namespace {

const std::map<std::string, e2e::Rgb>& Colours() {
  // The colours FondexJourney::PictureFolder paints its pictures with, by stored name.
  static const std::map<std::string, e2e::Rgb> colours = {
      {"ciel.bmp", {120, 200, 255}}, {"foret.bmp", {0, 140, 40}}, {"mer.bmp", {0, 80, 200}}};
  return colours;
}

class ScreensXfceJourney : public e2e::FondexJourney {
 protected:
  static constexpr int kMonitors = 2;
  static constexpr const char* kNames[kMonitors] = {"DUMMY0", "DUMMY1"};

  ScreensXfceJourney() : FondexJourney(kMonitors) {}

  void SetUp() override {
    desktop_ = std::make_unique<LiveDesktop>(
        SessionEnvironment(Screen().DisplayName(), Folder("home"), Folder("runtime")),
        Folder("desktop-logs"));
    if (!LiveDesktop::Installed("xfdesktop") || !LiveDesktop::Installed("xfconf-query")) {
      GTEST_SKIP() << "xfdesktop or xfconf-query is not installed";
    }
    ASSERT_TRUE(desktop_->StartBus());
    const pid_t xfdesktop = desktop_->Start({"xfdesktop"});
    // xfdesktop 4.18 writes its backdrop as it starts; since 4.20 it writes none, and its window
    // is what says it runs.
    ASSERT_TRUE(WaitFor([&] {
      return !Screen().WindowsOf(xfdesktop).empty() ||
             desktop_->Run({"xfconf-query", "-c", "xfce4-desktop", "-l"})
                     .output.find("/backdrop") != std::string::npos;
    })) << "xfdesktop showed no desktop";
  }

  static std::string Property(int monitor, const std::string& name) {
    return std::string("/backdrop/screen0/monitor") + kNames[monitor] + "/workspace0/" + name;
  }

  // Both monitors show the picture, centred, as the desktop's own settings would put it.
  void SetFromOutside(const std::filesystem::path& picture) {
    for (int monitor = 0; monitor < kMonitors; ++monitor) {
      for (const auto& [name, type, value] :
           {std::tuple{"last-image", "string", picture.string()}, {"image-style", "int", "1"}}) {
        desktop_->Output({"xfconf-query", "-c", "xfce4-desktop", "-p", Property(monitor, name),
                          "-n", "-t", type, "-s", value});
      }
    }
  }

  // The picture the monitor's first workspace names, by its file name in lower case.
  std::string KeptOn(int monitor) const {
    const LiveDesktop::Outcome image = desktop_->Run(
        {"xfconf-query", "-c", "xfce4-desktop", "-p", Property(monitor, "last-image")});
    const std::string path = image.code == 0 ? image.output.substr(0, image.output.find('\n')) : "";
    return e2e::LowerAscii(std::filesystem::path(path).filename().string());
  }

  bool CentreShows(int monitor, const std::string& picture) const {
    const e2e::Image centre = Screen().CaptureArea(
        Screen().Root(), kScreenWidth * monitor + kScreenWidth / 2, kScreenHeight / 2, 1, 1);
    const e2e::Rgb colour = Colours().at(picture);
    return centre.rgb == std::vector<std::uint8_t>{colour.red, colour.green, colour.blue};
  }

  // Both monitors' keys and centres show these pictures.
  ::testing::AssertionResult Shows(const std::string& first, const std::string& second) {
    if (WaitFor([&] {
          return KeptOn(0) == first && KeptOn(1) == second && CentreShows(0, first) &&
                 CentreShows(1, second);
        })) {
      return ::testing::AssertionSuccess();
    }
    SaveScreenshot(Screen().CaptureArea(Screen().Root(), 0, 0, Screen().Width(), kScreenHeight),
                   "monitors");
    return ::testing::AssertionFailure()
           << "the monitors keep \"" << KeptOn(0) << "\" and \"" << KeptOn(1) << "\", not \""
           << first << "\" and \"" << second << "\"";
  }

  // The system profile names the picture, whatever the case the program stored it in.
  bool ProfileIs(const std::filesystem::path& picture) const {
    return e2e::LowerAscii(WinIniWallpaper()) == e2e::LowerAscii(e2e::StoredPath(picture));
  }
  bool ProfileNames(const std::filesystem::path& picture) const {
    return WaitFor([&] { return ProfileIs(picture); });
  }

  std::unique_ptr<LiveDesktop> desktop_;
};

TEST_F(ScreensXfceJourney, EachMonitorShowsItsOwnPicture) {
  const std::filesystem::path plage = PictureFolder("Plage");
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  SetFromOutside(plage / "Mer.BMP");
  ASSERT_TRUE(Shows("mer.bmp", "mer.bmp"));  // the desktop draws on each monitor
  WriteWinIni("");
  StartFondex("xfce", desktop_->Environment());
  const int window = Screen().Position(MainWindow()).x < kScreenWidth ? 0 : 1;

  ASSERT_TRUE(ProfileNames(plage / "mer.bmp")) << WinIniWallpaper();

  // The window's picture is set last, and stored.
  Raise(MainWindow());
  Click(MainWindow(), e2e::main_window::kBBtnHasard);
  ASSERT_TRUE(WaitFor([&] { return !ProfileIs(plage / "mer.bmp"); })) << WinIniWallpaper();
  // The profile is written before the desktop is asked: the window's monitor follows.
  const std::string stored = e2e::LowerAscii(WinIniWallpaper());
  const std::string named = stored.substr(stored.rfind('\\') + 1);
  EXPECT_TRUE(WaitFor([&] { return KeptOn(window) == named; })) << named;
  const std::string first = KeptOn(0);
  const std::string second = KeptOn(1);
  EXPECT_TRUE(Colours().contains(first) && Colours().contains(second) && first != second)
      << "the monitors keep \"" << first << "\" and \"" << second << "\"";
  EXPECT_TRUE(Shows(first, second));
  EXPECT_TRUE(ProfileNames(plage / (window == 0 ? first : second))) << WinIniWallpaper();

  // By hand (a later start hands it to the first), the one picture neither shows goes on the
  // window's monitor alone.
  std::string third;
  for (const auto& [name, colour] : Colours()) {
    third = name != first && name != second ? name : third;
  }
  const std::string file = e2e::WindowsPath(plage / (third == "mer.bmp" ? "Mer.BMP" : third));
  EXPECT_EQ(0, e2e::RunToCompletion(ProgramRequest(AppFile("fondex"), {"--set", file}, "xfce",
                                                   desktop_->Environment()),
                                    kWaitLimit));
  EXPECT_TRUE(window == 0 ? Shows(third, second) : Shows(first, third));
  EXPECT_TRUE(ProfileNames(plage / third)) << WinIniWallpaper();

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

}  // namespace
}  // namespace fondex::desktops
