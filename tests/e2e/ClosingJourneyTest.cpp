// Closing: the end of a session by a signal saves what a close saves, a program folder that
// cannot be written still lets the program end, and the search directories keep a French order.

#include <signal.h>

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

constexpr const char* kHandWrittenSettings = "[Options]\r\nFinNone=yes\r\nAuto=TRUE\r\n";

// The settings as the program writes them from kHandWrittenSettings, the window where it is.
std::string SavedSettings(Point window) {
  return "[Options]\r\nFinNone=Oui\r\nAuto=Oui\r\nHasardLieu=RepActif\r\nHasardTech=HasardDsRep\r\n"
         "AuLancement=Non\r\nD\xE9lai= 60\r\nFichiersCaches=Non\r\n[Placement]\r\nTop=" +
         std::to_string(window.y) + "\r\nLeft=" + std::to_string(window.x) + "\r\n";
}

class SessionEndJourney : public PlageJourney, public ::testing::WithParamInterface<int> {};

// The system ends the session with a signal: the settings are saved, the plain desktop asked
// for is applied, the directory list is written, and the program ends normally.
TEST_P(SessionEndJourney, ASignalClosesAsALogOffDoes) {
  WriteFile(AppFile("FONDEX.INI"), kHandWrittenSettings);
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));
  const Point window = Screen().Position(MainWindow());

  SendSignal(GetParam());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(SavedSettings(window), ReadFile(AppFile("FONDEX.INI")));
  EXPECT_EQ(StoredPath(plage_) + "\r\n3\r\n", ReadFile(AppFile("FONDEX.DAT")));
  EXPECT_EQ("", WinIniWallpaper());
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndJourney, ::testing::Values(SIGTERM, SIGHUP, SIGINT));

// A program folder that cannot be written, and files in it that cannot either; the rights come
// back at the end so that the folder can go.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    }
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
  }
  ~ReadOnlyFolder() {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  std::filesystem::path folder_;
};

class ReadOnlyJourney : public PlageJourney {
 protected:
  void SetUp() override {
    PlageJourney::SetUp();
    WriteFile(AppFile("FONDEX.INI"), kHandWrittenSettings);
    WriteFile(AppFile("FONDEX.DAT"), StoredPath(plage_) + "\r\n7\r\n");
    WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
    StartFondex();
    EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));
  }

  // Both files are as they were, and the plain desktop was applied all the same.
  void ExpectNothingWrittenButTheDesktop() {
    EXPECT_EQ(kHandWrittenSettings, ReadFile(AppFile("FONDEX.INI")));
    EXPECT_EQ(StoredPath(plage_) + "\r\n7\r\n", ReadFile(AppFile("FONDEX.DAT")));
    EXPECT_EQ("", WinIniWallpaper());
  }
};

TEST_F(ReadOnlyJourney, TheWindowClosesOnceEachFailedSaveIsReported) {
  const ReadOnlyFolder readOnly(AppFile(""));
  CloseWindow(MainWindow());
  // The settings' error report, then the directory list's, each captioned with the title.
  for (int report = 0; report < 2; ++report) {
    const WindowId error = WaitForWindow("Fondex2", MainWindow());
    Key(error, "Return");
    WaitUntilGone(error);
  }
  EXPECT_EQ(0, WaitForExit());
  ExpectNothingWrittenButTheDesktop();
}

TEST_F(ReadOnlyJourney, AtASessionEndTheFailuresGoToTheErrorOutput) {
  const ReadOnlyFolder readOnly(AppFile(""));
  SendSignal(SIGTERM);
  EXPECT_EQ(0, WaitForExit());
  ExpectNothingWrittenButTheDesktop();
  const std::string output = ProgramOutput();
  EXPECT_NE(output.find("Fondex2 : Unable to write to " + WindowsPath(AppFile("FONDEX.INI"))),
            std::string::npos)
      << output;
  EXPECT_NE(
      output.find("Fondex2 : Impossible d'écrire le fichier " + WindowsPath(AppFile("FONDEX.DAT"))),
      std::string::npos)
      << output;
}

// The directory list shows "été" before "zèbre", and writes it in that order.
TEST_F(PlageJourney, AccentedDirectoriesAreListedInFrenchOrder) {
  const auto zebre = ImageFolder("zèbre");
  const auto ete = ImageFolder("été");
  WriteBitmap(zebre / "rayures.bmp", 8, 8, {20, 20, 20});
  WriteBitmap(ete / "soleil.bmp", 8, 8, {250, 220, 0});
  WriteBitmap(ete / "plage.bmp", 8, 8, {240, 200, 120});
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(zebre) + "\r\n" + StoredPath(ete) + "\r\n1\r\n2\r\n");
  WriteWinIni(WindowsPath(ete / "soleil.bmp"));
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + StoredPath(ete / "soleil.bmp")));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  // The counts go with the places of the file; the wallpaper's directory was counted again.
  EXPECT_EQ(StoredPath(ete) + "\r\n" + StoredPath(zebre) + "\r\n2\r\n2\r\n",
            ReadFile(AppFile("FONDEX.DAT")));
}

}  // namespace
}  // namespace fondex::e2e
