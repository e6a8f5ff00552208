// Names that the file system allows and a profile line cannot hold.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

class HostileNamesJourney : public FondexJourney {};

TEST_F(HostileNamesJourney, ANameWithLineEndsIsRefusedAndWritesNoLineIntoTheProfile) {
  const std::filesystem::path lines = ImageFolder("Lignes");
  WriteBitmap(lines / "ok\nTileWallpaper=1\n[x]\n.bmp", 8, 8, {230, 120, 20});
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(lines) + "\r\n1\r\n");
  WriteWinIni("");
  const std::string before = ReadFile(PlatformFile("WIN.INI"));
  StartFondex();

  Click(MainWindow(), main_window::kBBtnHasard);
  const WindowId error = WaitForWindow("Error");
  Key(error, "Return");
  WaitUntilGone(error);

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(before, ReadFile(PlatformFile("WIN.INI")));
}

}  // namespace
}  // namespace fondex::e2e
