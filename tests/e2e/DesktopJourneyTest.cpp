// The wallpaper on a bare X11 session: the program draws it on the root window itself.

#include <chrono>

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

}  // namespace
}  // namespace fondex::e2e
