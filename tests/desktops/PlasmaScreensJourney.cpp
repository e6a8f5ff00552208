#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include "desktops/PictureColour.h"
#include "desktops/PlasmaJourney.h"
#include "e2e/ChildProcess.h"
#include "e2e/RandrMonitors.h"

namespace fondex::desktops {
namespace {

// The profile's names are Windows paths, whatever their case.
bool SameWindowsPath(std::string a, std::string b) {
  for (std::string* path : {&a, &b}) {
    std::ranges::transform(*path, path->begin(), [](unsigned char c) { return std::tolower(c); });
  }
  return a == b;
}

// Plasma 6 in KWin's two virtual outputs, with the X server KWin starts for X11 programs: the
// program's window is there, and its monitors are the outputs.
class PlasmaScreens : public PlasmaWaylandJourney {
 protected:
  const std::vector<std::string> kOutputs{"Virtual-0", "Virtual-1"};

  PlasmaScreens() {
    desktops_ = 2;
    // KWin hands the X server's display and key to the programs it starts.
    moreOfKwin_ = {"--output-count", "2", "--xwayland",
                   "sh -c 'echo DISPLAY=$DISPLAY >" + XFile().string() +
                       "; echo XAUTHORITY=$XAUTHORITY >>" + XFile().string() + "'"};
  }

  std::filesystem::path XFile() const { return Folder("home") / "xwayland.env"; }

  // The X server's variables; none when KWin started none.
  std::vector<std::string> XVariables() const {
    std::vector<std::string> variables;
    WaitFor([&] {
      const std::string text = e2e::ReadFile(XFile());
      variables.clear();
      for (std::size_t start = 0, end; (end = text.find('\n', start)) != text.npos;
           start = end + 1) {
        variables.push_back(text.substr(start, end - start));
      }
      return variables.size() == 2 && variables.front() != "DISPLAY=";
    });
    return variables.size() == 2 ? variables : std::vector<std::string>{};
  }

  std::vector<std::string> Images() { return ImagesOn(kOutputs); }

  // The program's copy, with the session's variables and the X server's.
  e2e::SpawnRequest Program(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& x) {
    return ProgramRequest(AppFile("fondex"), arguments, Kind(),
                          e2e::WithVariables(ProgramVariables(), x));
  }
};

TEST_F(PlasmaScreens, EachOutputItsPictureTheWindowsInTheProfileOneSetByHandOnItsOutputAlone) {
  const std::vector<std::string> x = XVariables();
  ASSERT_FALSE(x.empty()) << e2e::ReadFile(XFile());
  // Each output a screen of the shell's, with its desktop: the second comes a moment after.
  ASSERT_TRUE(ShowsDesktopsOn(kOutputs));
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  // The folder's picture on every output, as the program finds its folder through it.
  Evaluate(
      "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; "
      "d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = ['Wallpaper', "
      "'org.kde.image', 'General']; d.writeConfig('Image', 'file://" +
      Picture("Mer.BMP").string() + "'); }");
  WriteWinIni(e2e::WindowsPath(Picture("Mer.BMP")));
  CopyProgramTo(AppFile("fondex").parent_path());

  // A later start's change, handed to the running copy once it listens, changes each output.
  e2e::ChildProcess fondex(Program({}, x));
  ASSERT_TRUE(WaitFor([&] {
    return std::ranges::any_of(
        std::filesystem::directory_iterator(Folder("runtime")),
        [](const auto& entry) { return entry.path().extension() == ".sock"; });
  })) << "the program does not listen";
  ASSERT_EQ(0, e2e::RunToCompletion(Program({"--next"}, x), kWaitLimit));
  std::vector<std::string> images;
  // Each output a picture of its own, one of them new.
  const auto changed = [&] {
    images = Images();
    return images[0] != images[1] && std::ranges::any_of(images, [&](const std::string& image) {
             return image != Picture("Mer.BMP").string();
           });
  };
  ASSERT_TRUE(WaitFor(changed)) << images[0] << " / " << images[1] << "\n" << ProgramOutput();
  // The profile names the picture of the window's output.
  std::size_t window = kOutputs.size();
  ASSERT_TRUE(WaitFor([&] {
    images = Images();
    const auto found = std::ranges::find_if(images, [&](const std::string& image) {
      return SameWindowsPath(WinIniWallpaper(), e2e::StoredPath(image));
    });
    window = static_cast<std::size_t>(found - images.begin());
    return window < images.size();
  })) << WinIniWallpaper()
      << " " << images[0] << " / " << images[1];

  // A picture set by hand from a later start goes on the window's output; the other keeps its.
  const std::string other = images[1 - window];
  std::string byHand;
  for (const char* name : {"ciel.bmp", "foret.bmp", "Mer.BMP"}) {
    if (std::ranges::find(images, Picture(name).string()) == images.end()) {
      byHand = Picture(name).string();
      break;
    }
  }
  EXPECT_EQ(0, e2e::RunToCompletion(Program({"--set", byHand}, x), kWaitLimit));
  EXPECT_TRUE(WaitFor([&] { return ImageOn(kOutputs[window]) == byHand; }))
      << ImageOn(kOutputs[window]);
  EXPECT_EQ(ImageOn(kOutputs[1 - window]), other);
  EXPECT_TRUE(SameWindowsPath(WinIniWallpaper(), e2e::StoredPath(byHand))) << WinIniWallpaper();
}

// Plasma on an X server with two outputs (X.Org's dummy driver): a desktop for each, which the
// shell draws in a window of its own on the screen. The right one is the primary, so the shell
// counts it first; the program's window opens on the left one, which a program that cannot tell
// would not take.
class PlasmaMonitors : public PlasmaJourney {
 protected:
  const std::vector<e2e::Monitor> kMonitors{{"DUMMY1", kScreenWidth, kScreenWidth},
                                            {"DUMMY0", 0, kScreenWidth}};
  const std::vector<std::string> kNames{"DUMMY1", "DUMMY0"};

  PlasmaMonitors() : PlasmaJourney(2) { desktops_ = 2; }

  std::optional<std::string> StartDesktop() override {
    desktop_->Output({"xrandr", "--output", "DUMMY1", "--primary"});
    return PlasmaJourney::StartDesktop();
  }

  // The shell writes its settings file again a while after each picture it draws; the program
  // looks at the desktop then, and drops a click that comes meanwhile. Settled once the file
  // has stayed as it is for a second.
  bool SettingsSettled() const {
    const std::filesystem::path file =
        Folder("home") / ".config/plasma-org.kde.plasma.desktop-appletsrc";
    std::error_code error;
    auto last = std::filesystem::last_write_time(file, error);
    for (int tick = 0, still = 0; tick < 150; ++tick) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const auto now = std::filesystem::last_write_time(file, error);
      still = now == last ? still + 1 : 0;
      last = now;
      if (still == 10) {
        return true;
      }
    }
    return false;
  }

  // Each monitor shows its desktop's picture, stretched, above the window and the panel.
  bool ScreenShows(const std::vector<std::string>& images) {
    return MonitorsShowStretched(CaptureScreen(), kMonitors, images, kScreenHeight / 4);
  }
};

TEST_F(PlasmaMonitors, EachMonitorShowsItsOwnPictureTheWindowsInTheProfile) {
  ASSERT_TRUE(ShowsDesktopsOn(kNames));
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  // Each monitor a picture of its own, the profile naming the other monitor's.
  for (const auto& [screen, picture] : {std::pair{"DUMMY1", "ciel.bmp"}, {"DUMMY0", "Mer.BMP"}}) {
    Evaluate(std::string("var d = desktopForScreen(screenForConnector('") + screen +
             "')); d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = ['Wallpaper', "
             "'org.kde.image', 'General']; d.writeConfig('Image', 'file://" +
             Picture(picture).string() + "'); d.writeConfig('FillMode', '0');");
  }
  e2e::WriteFile(PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + e2e::WindowsPath(Picture("ciel.bmp")) +
                     "\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  StartFondex(Kind(), ProgramVariables());
  ASSERT_LT(Screen().Position(MainWindow()).x + e2e::main_window::kClientWidth / 2, kScreenWidth);
  // The window names its own monitor's picture from the start.
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + e2e::StoredPath(Picture("mer.bmp"))));
  ASSERT_TRUE(SettingsSettled());
  Raise(MainWindow());
  Click(MainWindow(), e2e::main_window::kBBtnHasard);
  std::vector<std::string> images;
  const bool changed = WaitFor([&] {
    images = ImagesOn(kNames);
    return images[0] != images[1] && images[1] != Picture("Mer.BMP").string();
  });
  SaveScreenshot(CaptureScreen(), "after-click");
  ASSERT_TRUE(changed) << images[0] << " / " << images[1] << ", the profile " << WinIniWallpaper()
                       << ", the caption " << Screen().Title(MainWindow());
  EXPECT_TRUE(WaitFor([&] { return ScreenShows(images); }));
  SaveScreenshot(CaptureScreen(), "monitors");
  EXPECT_TRUE(WaitFor([&] {
    return SameWindowsPath(WinIniWallpaper(), e2e::StoredPath(images[1]));
  })) << WinIniWallpaper();

  // By hand from a later start: the window's monitor alone.
  std::string byHand;
  for (const char* name : {"ciel.bmp", "foret.bmp", "Mer.BMP"}) {
    byHand = std::ranges::find(images, Picture(name).string()) == images.end()
                 ? Picture(name).string()
                 : byHand;
  }
  EXPECT_EQ(0, e2e::RunToCompletion(
                   ProgramRequest(AppFile("fondex"), {"--set", byHand}, Kind(), ProgramVariables()),
                   kWaitLimit));
  EXPECT_TRUE(WaitFor([&] {
    return ImagesOn(kNames) == std::vector{images[0], byHand};
  })) << ImageOn("DUMMY0");
  EXPECT_TRUE(WaitFor([&] { return ScreenShows({images[0], byHand}); }));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

}  // namespace
}  // namespace fondex::desktops
