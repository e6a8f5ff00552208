// Changes of wallpaper by choice: the timer with no input at all, the change button and the
// H key; and the plain desktop left at closing.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using ChangeJourney = PlageJourney;

TEST_F(ChangeJourney, TimerChangesTheWallpaperEveryTwoSecondsAndClosingLeavesAPlainDesktop) {
  WriteFile(AppFile("FONDEX.INI"),
            "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=Successif\r\nAuto=Oui\r\n"
            "D\xE9lai=0\r\nFinNone=Oui\r\n");
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));

  StartFondex();
  // One after the other in the selected folder: after the last file comes the first.
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("ciel.bmp")));
  EXPECT_TRUE(WallpaperBecomes(Stored("foret.bmp")));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ("", WinIniWallpaper());
}

TEST_F(ChangeJourney, ChangeButtonAndKeyHPickTheNextWallpaper) {
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
  WriteWinIni(WindowsPath(plage_ / "foret.bmp"));
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));

  Click(MainWindow(), main_window::kBBtnHasard);
  EXPECT_TRUE(WallpaperBecomes(Stored("mer.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));

  // The button keeps the focus; H on a button runs the same change.
  Key(MainWindow(), "h");
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(Stored("ciel.bmp"), WinIniWallpaper());
}

}  // namespace
}  // namespace fondex::e2e
