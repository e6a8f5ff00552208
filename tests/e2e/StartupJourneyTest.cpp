// Start-up: the wallpaper that the system profile names, changes of the profile made by other
// programs while Fondex runs, and the directory list that Fondex leaves behind.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using StartupJourney = PlageJourney;

TEST_F(StartupJourney, TitleShowsTheProfilesWallpaperAndFollowsItsEditsAndTheFolderIsKept) {
  WriteFile(plage_ / "notes.txt", "pas une image");
  const auto montagne = ImageFolder("Montagne");
  WriteBitmap(montagne / "Sommet.bmp", 8, 8, {250, 250, 250});
  WriteBitmap(montagne / "neige.bmp", 8, 8, {230, 230, 255});
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));

  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));

  // An editor that writes the profile in place.
  WriteWinIni(WindowsPath(plage_ / "foret.bmp"));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));

  // A profile that names a file which is not there shows no wallpaper.
  WriteWinIni(WindowsPath(plage_ / "disparu.bmp"));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2"));

  // An editor that writes a new file and renames it over the old one.
  const std::string lastProfile = WinIniNaming(WindowsPath(montagne / "Sommet.bmp"));
  ReplaceFile(PlatformFile("WIN.INI"), lastProfile);
  const std::string sommet = "Fondex2 : " + StoredPath(montagne / "Sommet.bmp");
  EXPECT_TRUE(TitleBecomes(MainWindow(), sommet));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  // Both folders, sorted, then their counts of bitmaps.
  EXPECT_EQ(StoredPath(montagne) + "\r\n" + StoredPath(plage_) + "\r\n2\r\n3\r\n",
            ReadFile(AppFile("FONDEX.DAT")));
  // Only read, never written.
  EXPECT_EQ(lastProfile, ReadFile(PlatformFile("WIN.INI")));
}

}  // namespace
}  // namespace fondex::e2e
