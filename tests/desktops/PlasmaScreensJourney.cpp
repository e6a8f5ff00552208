#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "desktops/PictureColour.h"
#include "desktops/PlasmaJourney.h"
#include "e2e/ChildProcess.h"
#include "e2e/RandrMonitors.h"
#include "platform/posix/desktop/PlasmaBackend.h"

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
  std::string screens;
  ASSERT_TRUE(WaitFor([&] {
    screens = Evaluate(platform::posix::desktop::PlasmaScreensScript(kOutputs));
    return screens.find("string \"Virtual-0\nVirtual-1\"") != std::string::npos;
  })) << screens;
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

// Plasma 6 on an X server with two RandR monitors, laid before the shell starts: a desktop for
// each, which the shell draws in a window of its own on the screen. The right one holds the
// server's output, so the shell counts it first; the program's window opens on the left one,
// which a program that cannot tell would not take.
class PlasmaMonitors : public PlasmaJourney {
 protected:
  const std::vector<e2e::Monitor> kMonitors{{"DROITE", 640, 640}, {"GAUCHE", 0, 640}};
  const std::vector<std::string> kNames{"DROITE", "GAUCHE"};

  PlasmaMonitors() { desktops_ = 2; }

  std::optional<std::string> StartDesktop() override {
    for (const e2e::Monitor& monitor : kMonitors) {
      desktop_->Output(
          e2e::SetMonitorCommand(monitor, kScreenHeight, &monitor == &kMonitors.front()));
    }
    return PlasmaJourney::StartDesktop();
  }

  // Each monitor shows its desktop's picture, stretched, above the window and the panel.
  bool ScreenShows(const std::vector<std::string>& images) {
    const e2e::Image screen = CaptureScreen();
    for (std::size_t i = 0; i < kMonitors.size(); ++i) {
      if (!ShowsStretched(screen, kMonitors[i].left, kMonitors[i].width, kScreenHeight / 4,
                          images[i], {0.25, 0.75})) {
        return false;
      }
    }
    return true;
  }
};

TEST_F(PlasmaMonitors, EachMonitorShowsItsOwnPictureTheWindowsInTheProfile) {
  std::string screens;
  ASSERT_TRUE(WaitFor([&] {
    screens = Evaluate(platform::posix::desktop::PlasmaScreensScript(kNames));
    return screens.find("string \"DROITE\nGAUCHE\"") != std::string::npos;
  })) << screens;
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  Evaluate(
      "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; "
      "d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = ['Wallpaper', "
      "'org.kde.image', 'General']; d.writeConfig('Image', 'file://" +
      Picture("Mer.BMP").string() + "'); d.writeConfig('FillMode', '0'); }");
  e2e::WriteFile(PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + e2e::WindowsPath(Picture("Mer.BMP")) +
                     "\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  StartFondex(Kind(), ProgramVariables());
  ASSERT_LT(Screen().Position(MainWindow()).x + e2e::main_window::kClientWidth / 2, 640);
  Raise(MainWindow());
  Click(MainWindow(), e2e::main_window::kBBtnHasard);
  std::vector<std::string> images;
  ASSERT_TRUE(WaitFor([&] {
    images = ImagesOn(kNames);
    return images[0] != images[1] && images[1] != Picture("Mer.BMP").string();
  })) << images[0]
      << " / " << images[1];
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
  })) << ImageOn("DROITE");
  EXPECT_TRUE(WaitFor([&] { return ScreenShows({images[0], byHand}); }));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

}  // namespace
}  // namespace fondex::desktops
