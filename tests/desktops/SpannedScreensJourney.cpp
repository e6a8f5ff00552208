// One wallpaper per screen on desktops that keep one picture (GNOME, Cinnamon, MATE, Budgie):
// RandR monitors laid by xrandr on one Xvfb screen; each change composes one picture spanning
// them, which Budgie's window manager draws.

#include <algorithm>

#include "desktops/GSettingsJourney.h"
#include "desktops/PictureColour.h"
#include "e2e/RandrMonitors.h"
#include "platform/posix/desktop/SpannedScreens.h"

namespace fondex::desktops {
namespace {

// Of an even width, whose middle column is the middle of a stretched picture.
using e2e::Monitor;

struct SpannedCase {
  const char* name;
  const char* kind;
  const char* schema;
  bool pictureIsUri;
  std::vector<Monitor> monitors;  // the first holds the server's output
  bool drawn = false;             // by Budgie's window manager, on the screen
};

void PrintTo(const SpannedCase& spanned, std::ostream* out) {
  *out << spanned.name;
}

// The middle pixel of a picture file, or of one monitor's rectangle in it.
std::uint32_t PixelOf(const std::filesystem::path& file, const std::optional<Monitor>& monitor) {
  return ColourHalfWayDown(
      file, [&](int width) { return monitor ? monitor->left + monitor->width / 2 : width / 2; });
}

class SpannedScreensJourney : public GSettingsJourney,
                              public ::testing::WithParamInterface<SpannedCase> {
 protected:
  SpannedScreensJourney()
      : GSettingsJourney(GetParam().kind, GetParam().schema, GetParam().pictureIsUri) {}

  std::optional<std::string> StartDesktop() override {
    return GetParam().drawn ? StartBudgie() : GSettingsJourney::StartDesktop();
  }

  e2e::Image WholeScreen() const {
    return Screen().CaptureArea(Screen().Root(), 0, 0, Screen().Width(), Screen().Height());
  }

  // Each monitor shows its picture, stretched, above the window placed at the bottom.
  bool ScreenShows(const std::vector<std::string>& pictures) const {
    return MonitorsShowStretched(WholeScreen(), GetParam().monitors, pictures, kScreenHeight / 8);
  }

  void LayMonitors() {
    const auto& monitors = GetParam().monitors;
    for (const Monitor& monitor : monitors) {
      desktop_->Output(
          e2e::SetMonitorCommand(monitor, kScreenHeight, &monitor == &monitors.front()));
    }
  }

  std::filesystem::path Cache() const { return Folder("home") / ".cache/fondex"; }

  std::filesystem::path Shown() {
    return GetParam().pictureIsUri ? PathOfUri(Unquoted(Get("picture-uri")))
                                   : Unquoted(Get("picture-filename"));
  }

  // Each monitor's picture, as the record beside the composed picture says.
  std::vector<std::string> Recorded(const std::filesystem::path& composed) const {
    const auto record =
        platform::posix::desktop::ParseComposition(e2e::ReadFile(Cache() / "spanned-screens"));
    std::vector<std::string> pictures(GetParam().monitors.size());
    for (std::size_t i = 0; record && record->picture == composed.string() && i < pictures.size();
         ++i) {
      const auto picture = std::ranges::find(record->screens, GetParam().monitors[i].name,
                                             &platform::posix::desktop::ScreenPath::screen);
      pictures[i] = picture == record->screens.end() ? "" : picture->path;
    }
    return pictures;
  }

  std::vector<std::uint32_t> Centres(const std::filesystem::path& composed) const {
    std::vector<std::uint32_t> centres;
    for (const Monitor& monitor : GetParam().monitors) {
      centres.push_back(PixelOf(composed, monitor));
    }
    return centres;
  }

  std::size_t ComposedFiles() const {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Cache())) {
      count += entry.path().extension() == ".png";
    }
    return count;
  }

  // A picture newly composed, shown with the desktop's spanning option.
  std::filesystem::path NewComposed(const std::filesystem::path& before) {
    std::filesystem::path shown;
    EXPECT_TRUE(WaitFor([&] {
      shown = Shown();
      return shown != before && shown.parent_path() == Cache() &&
             Unquoted(Get("picture-options")) == "spanned";
    })) << shown;
    return shown;
  }
};

TEST_P(SpannedScreensJourney, AChangeComposesEachMonitorsPictureAndSetChangesOneAlone) {
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  e2e::WriteFile(PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + e2e::WindowsPath(Picture("Mer.BMP")) +
                     "\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  // The desktop's picture at start opens the folder the change picks from.
  SetFromOutside(Picture("Mer.BMP"));
  LayMonitors();
  StartFondex(Kind(), ProgramVariables());
  Raise(MainWindow());
  Click(MainWindow(), e2e::main_window::kBBtnHasard);
  // A click that comes while the program looks at the desktop is dropped (with a window manager,
  // placing the window can tell it of another screen): clicked again when nothing was composed.
  if (!WaitFor([&] { return Shown().parent_path() == Cache(); })) {
    Click(MainWindow(), e2e::main_window::kBBtnHasard);
  }
  const std::filesystem::path first = NewComposed("");
  // Recorded once the desktop took it.
  EXPECT_TRUE(WaitFor([&] { return std::ranges::none_of(Recorded(first), &std::string::empty); }));
  std::vector<std::string> pictures = Recorded(first);
  std::vector<std::uint32_t> expected;
  for (const std::string& picture : pictures) {
    expected.push_back(PixelOf(picture, std::nullopt));
  }
  std::vector<std::string> distinct = pictures;
  std::ranges::sort(distinct);
  EXPECT_TRUE(!distinct.front().empty() && std::ranges::adjacent_find(distinct) == distinct.end())
      << ::testing::PrintToString(pictures);
  EXPECT_EQ(expected, Centres(first));
  if (GetParam().drawn) {
    EXPECT_TRUE(WaitFor([&] { return ScreenShows(pictures); }));
    SaveScreenshot(WholeScreen(), "spanned-on-screen");
  }

  // By hand: one monitor changes, the others keep theirs, the old picture goes.
  const std::filesystem::path sand = Picture("sable.bmp");
  e2e::WriteSplitBitmap(sand, 16, 16, {250, 250, 250}, {5, 5, 5});
  const e2e::SpawnRequest again =
      ProgramRequest(AppFile("fondex"), {"--set", sand.string()}, Kind(), ProgramVariables());
  EXPECT_EQ(0, e2e::RunToCompletion(again, kWaitLimit));
  const std::filesystem::path second = NewComposed(first);
  // Removed once the desktop took the new one, with the record written.
  EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(first); }));
  const std::vector<std::uint32_t> after = Centres(second);
  std::size_t changed = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] != expected[i]) {
      ++changed;
      EXPECT_EQ(PixelOf(sand, std::nullopt), after[i]) << GetParam().monitors[i].name;
      EXPECT_EQ(sand.string(), Recorded(second)[i]);
    }
  }
  EXPECT_EQ(1u, changed);
  EXPECT_EQ(1u, ComposedFiles());

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

const std::vector<Monitor> kTwo = {{"GAUCHE", 0, 640}, {"DROITE", 640, 640}};
const std::vector<Monitor> kThree = {{"UN", 0, 400}, {"DEUX", 400, 480}, {"TROIS", 880, 400}};

INSTANTIATE_TEST_SUITE_P(
    Desktops, SpannedScreensJourney,
    ::testing::Values(
        SpannedCase{"GnomeTwo", "gnome", "org.gnome.desktop.background", true, kTwo},
        SpannedCase{"GnomeThree", "gnome", "org.gnome.desktop.background", true, kThree},
        SpannedCase{"CinnamonThree", "cinnamon", "org.cinnamon.desktop.background", true, kThree},
        SpannedCase{"MateTwo", "mate", "org.mate.background", false, kTwo},
        SpannedCase{"BudgieTwo", "budgie", "org.gnome.desktop.background", true, kTwo, true}),
    [](const ::testing::TestParamInfo<SpannedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fondex::desktops
