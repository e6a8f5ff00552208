// One wallpaper per screen on a bare X11 session: RandR monitors made on one Xvfb screen, each
// given its own picture in its rectangle of the root window.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "e2e/FondexJourney.h"
#include "e2e/RandrMonitors.h"

namespace fondex::e2e {
namespace {

using Layout = std::vector<Monitor>;  // the first holds the server's output

struct ScreensCase {
  const char* name;
  Layout monitors;
  Layout later;  // what the monitors become while Fondex runs
};

const Layout kTwo = {{"GAUCHE", 0, 640}, {"DROITE", 640, 640}};
const Layout kThree = {{"UN", 0, 427}, {"DEUX", 427, 427}, {"TROIS", 854, 426}};

void PrintTo(const ScreensCase& screens, std::ostream* out) {
  *out << screens.name;
}

class EachMonitor : public PlageJourney, public ::testing::WithParamInterface<ScreensCase> {
 protected:
  void SetUp() override {
    PlageJourney::SetUp();
    colours_ = {
        {"ciel.bmp", {120, 200, 255}}, {"foret.bmp", {0, 140, 40}}, {"mer.bmp", {0, 80, 200}}};
    SetMonitors({}, GetParam().monitors);
  }

  void SetMonitors(const Layout& before, const Layout& after) const {
    for (const Monitor& monitor : before) {
      Run({"xrandr", "--delmonitor", monitor.name});
    }
    for (const Monitor& monitor : after) {
      Run(SetMonitorCommand(monitor, kScreenHeight, &monitor == &after.front()));
    }
  }

  // A tool of the X server's, run to its end.
  void Run(const std::vector<std::string>& arguments) const {
    SpawnRequest request;
    request.arguments = arguments;
    request.environment = {"DISPLAY=" + Screen().DisplayName(), "PATH=" + EnvironmentValue("PATH")};
    ASSERT_EQ(0, RunToCompletion(request, kWaitLimit)) << arguments.front();
  }

  // The picture of the folder whose colour the monitor's centre shows; "" for none of them.
  std::string CentrePicture(const Monitor& monitor) const {
    const Image pixel = Screen().CaptureArea(Screen().Root(), monitor.left + monitor.width / 2,
                                             kScreenHeight / 2, 1, 1);
    for (const auto& [name, colour] : colours_) {
      if (pixel == Image{1, 1, {colour.red, colour.green, colour.blue}}) {
        return name;
      }
    }
    return "";
  }

  std::vector<std::string> CentrePictures(const Layout& monitors) const {
    std::vector<std::string> pictures;
    for (const Monitor& monitor : monitors) {
      pictures.push_back(CentrePicture(monitor));
    }
    return pictures;
  }

  // Each monitor shows one of the folder's pictures, no two the same.
  bool ShowDistinctPictures(const Layout& monitors, std::vector<std::string>& shown) const {
    shown = CentrePictures(monitors);
    std::vector<std::string> sorted = shown;
    std::ranges::sort(sorted);
    return !sorted.front().empty() && std::ranges::adjacent_find(sorted) == sorted.end();
  }

  // Its middle on that monitor, the whole window on the screen.
  void MoveWindowOnto(const Layout& monitors, std::size_t index) const {
    const Monitor& monitor = monitors[index];
    const int left = std::clamp(monitor.left + (monitor.width - main_window::kClientWidth) / 2, 0,
                                kScreenWidth - main_window::kClientWidth - 5);
    Run({"xdotool", "windowmove", std::to_string(MainWindow()), std::to_string(left), "100"});
    ASSERT_TRUE(WaitFor([&] { return WindowMonitor(monitors) == index; }));
  }

  // The monitor under the middle of the main window.
  std::size_t WindowMonitor(const Layout& monitors) const {
    const Point corner = Screen().Position(MainWindow());
    const int middle = corner.x + main_window::kClientWidth / 2;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      if (middle >= monitors[i].left && middle < monitors[i].left + monitors[i].width) {
        return i;
      }
    }
    return 0;
  }

  int StartAgain(const std::vector<std::string>& arguments) {
    SpawnRequest request = ProgramRequest(AppFile("fondex"), arguments);
    request.workingDirectory = plage_.string();
    return RunToCompletion(request, kWaitLimit);
  }

  std::map<std::string, Rgb> colours_;
};

TEST_P(EachMonitor, AChangeGivesEachMonitorItsOwnPictureAndSetChangesTheWindowsAlone) {
  const Layout& monitors = GetParam().monitors;
  const std::size_t last = monitors.size() - 1;
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex("x11");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));
  // Not the first monitor, the one a program that cannot tell would take.
  MoveWindowOnto(monitors, last);

  // The user ticks the option in the dialog.
  Click(MainWindow(), main_window::kBBtnOptions);
  const WindowId options = WaitForWindow("Fondex : Options");
  Raise(options);
  Click(options, options_dialog::kChBParEcran);
  Click(options, options_dialog::kOKBtn);
  WaitUntilGone(options);
  EXPECT_NE(ReadFile(AppFile("FONDEX.INI")).find("ParEcran=Oui\r\n"), std::string::npos);

  Click(MainWindow(), main_window::kBBtnHasard);
  std::vector<std::string> shown;
  const bool distinct = WaitFor([&] { return ShowDistinctPictures(monitors, shown); });
  SaveScreenshot(Screen().Capture(Screen().Root()), "after-change");
  ASSERT_TRUE(distinct) << ::testing::PrintToString(shown);
  EXPECT_TRUE(WallpaperBecomes(Stored(shown[last])));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(shown[last])));

  // A picture by hand: on the window's monitor only, the others keep theirs. Not the first
  // monitor's either, so that the window tells the two apart.
  const auto other = std::ranges::find_if(colours_, [&](const auto& entry) {
    return entry.first != shown[last] && entry.first != shown[0];
  });
  EXPECT_EQ(0, StartAgain({"--set", other->first}));
  EXPECT_TRUE(WallpaperBecomes(Stored(other->first)));
  std::vector<std::string> expected = shown;
  expected[last] = other->first;
  EXPECT_TRUE(WaitFor([&] { return CentrePictures(monitors) == expected; }))
      << ::testing::PrintToString(CentrePictures(monitors));

  // Moved onto the first monitor, the window names that monitor's picture.
  // WIN.INI takes the desktop's spelling of the file.
  const auto namedInWinIni = [&](const std::string& name) {
    return WaitFor([&] { return LowerAscii(WinIniWallpaper()) == Stored(name); });
  };
  MoveWindowOnto(monitors, 0);
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(expected[0])));
  EXPECT_TRUE(namedInWinIni(expected[0]));
  MoveWindowOnto(monitors, last);
  EXPECT_TRUE(namedInWinIni(expected[last]));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(CentrePictures(monitors), expected);

  // Started again where the window opens, it names that monitor's picture, not the last one
  // it named.
  StartFondex("x11");
  ASSERT_TRUE(WaitFor([&] { return WindowMonitor(monitors) != last; }));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(expected[WindowMonitor(monitors)])));

  // Monitors that come or go while Fondex runs are each given a picture at the next change.
  const Layout& later = GetParam().later;
  SetMonitors(monitors, later);
  MoveWindowOnto(later, later.size() - 1);
  Click(MainWindow(), main_window::kBBtnHasard);
  EXPECT_TRUE(WaitFor([&] { return ShowDistinctPictures(later, shown); }))
      << ::testing::PrintToString(shown);
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(shown.back())));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(RandrMonitors, EachMonitor,
                         ::testing::Values(ScreensCase{"Two", kTwo, kThree},
                                           ScreensCase{"Three", kThree, kTwo}),
                         [](const ::testing::TestParamInfo<ScreensCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace fondex::e2e
