// The wallpaper on a bare X11 session: the program draws it on the root window itself.

#include <chrono>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using DesktopJourney = PlageJourney;

// The colour of the screen's centre, where a centred wallpaper lies.
Image CentreOf(const VirtualScreen& screen) {
  return screen.CaptureArea(screen.Root(), screen.Width() / 2, screen.Height() / 2, 1, 1);
}

Image Pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Image{1, 1, {red, green, blue}};
}

TEST_F(DesktopJourney, TheChangeButtonPutsTheNextPictureOnTheRootWindow) {
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex("x11");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));

  const auto clicked = std::chrono::steady_clock::now();
  Click(MainWindow(), main_window::kBBtnHasard);
  // One after the other in the folder: after the last file comes the first, ciel.bmp.
  EXPECT_TRUE(WaitFor([&] { return CentreOf(Screen()) == Pixel(120, 200, 255); }));
  const auto shown = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - clicked);
  RecordProperty("click_to_root_window_ms", static_cast<int>(shown.count()));
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));

  Click(MainWindow(), main_window::kBBtnHasard);
  EXPECT_TRUE(WaitFor([&] { return CentreOf(Screen()) == Pixel(0, 140, 40); }));

  // The picture stays on the desktop once the program has ended.
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(CentreOf(Screen()), Pixel(0, 140, 40));
}

// A 1920 x 1080 picture, red on the left, green on the right, with yellow edges 40 wide, laid
// out as the user chooses in the options on the 1280 x 1024 screen.
struct LayoutCase {
  const char* name;
  int line;                    // in the options' list
  const char* wallpaperStyle;  // the system profile's value
  // Colours of the screen's points: (x, y, colour).
  std::vector<std::tuple<int, int, Rgb>> points;
};

void PrintTo(const LayoutCase& layout, std::ostream* out) {
  *out << layout.name;
}

constexpr Rgb kRed{220, 30, 30}, kGreen{30, 180, 60}, kYellow{240, 220, 0}, kBlack{0, 0, 0};

class LayoutOnTheRoot : public FondexJourney, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutOnTheRoot, TheChosenLayoutIsDrawnAndStoredAsTheSystemsOwn) {
  const LayoutCase& layout = GetParam();
  const auto folder = ImageFolder("Photos");
  WriteColumnsBitmap(folder / "large.bmp", 1920, 1080, [](int x) {
    return x < 40 || x >= 1880 ? kYellow : x < 960 ? kRed : kGreen;
  });
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
  WriteWinIni(WindowsPath(folder / "large.bmp"));
  StartFondex("x11");
  const std::string stored = StoredPath(folder / "large.bmp");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + stored));

  ChooseLayout(layout.line);
  Click(MainWindow(), main_window::kBBtnHasard);

  const auto shows = [this, &layout] {
    for (const auto& [x, y, colour] : layout.points) {
      const Image pixel = Screen().CaptureArea(Screen().Root(), x, y, 1, 1);
      if (pixel != Image{1, 1, {colour.red, colour.green, colour.blue}}) {
        return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(WaitFor(shows));
  const std::string profile = ReadFile(PlatformFile("WIN.INI"));
  EXPECT_NE(profile.find("TileWallpaper=0\r\n"), std::string::npos) << profile;
  EXPECT_NE(profile.find(std::string("WallpaperStyle=") + layout.wallpaperStyle + "\r\n"),
            std::string::npos)
      << profile;
  SaveScreenshot(Screen().Capture(Screen().Root()), layout.name);

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_NE(ReadFile(AppFile("FONDEX.INI")).find(std::string("Disposition=") + layout.name),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    FitAndFill, LayoutOnTheRoot,
    ::testing::Values(
        // 1280 x 720 from row 152: black bands above and below, both yellow edges shown.
        LayoutCase{"Ajuste",
                   4,
                   "6",
                   {{640, 0, kBlack},
                    {640, 151, kBlack},
                    {640, 872, kBlack},
                    {640, 1023, kBlack},
                    {0, 152, kYellow},
                    {1279, 871, kYellow},
                    {320, 512, kRed},
                    {960, 512, kGreen}}},
        // 1820 x 1024 from column -270: no band, the yellow edges cut away.
        LayoutCase{"Remplir",
                   5,
                   "10",
                   {{0, 0, kRed},
                    {0, 1023, kRed},
                    {1279, 0, kGreen},
                    {1279, 1023, kGreen},
                    {320, 512, kRed},
                    {960, 512, kGreen}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fondex::e2e
