// The copy that the Debian package installs, run where its files were extracted: the package
// check names that folder in FONDEX_PACKAGE_ROOT, with its program folder made read-only as an
// installed one is.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using PackageJourney = FondexJourney;

TEST_F(PackageJourney, TheInstalledCopyShowsItsWallpapersAndHelpAndKeepsItsStatePerUser) {
  const std::filesystem::path root = EnvironmentValue("FONDEX_PACKAGE_ROOT");
  if (root.empty()) {
    GTEST_SKIP() << "FONDEX_PACKAGE_ROOT names no extracted package";
  }
  const std::filesystem::path landscapes = root / "usr/share/fondex/papiers-peints/paysages";
  WriteWinIni(WindowsPath(landscapes / "collines.bmp"));
  StartFondexAt(root / "usr/bin/fondex");
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + StoredPath(landscapes / "collines.bmp")));
  // The help of the file list, where a click puts the keyboard.
  Click(MainWindow(), ListRow(main_window::kFichListeBox, 0));
  Key(MainWindow(), "F1");
  WaitForWindow("Les commandes de la fen");

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(StoredPath(landscapes) + "\r\n4\r\n", ReadFile(PlatformFile("FONDEX.DAT")));
  EXPECT_NE("", ReadFile(PlatformFile("FONDEX.INI")));
}

}  // namespace
}  // namespace fondex::e2e
