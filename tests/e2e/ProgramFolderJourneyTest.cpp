// Where the program keeps its files: beside itself when it may write there, in the per-user
// folder that holds the system profile when it is installed in a folder it may not write. Its
// help is found either way.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

struct Copy {
  const char* name;
  bool installed;
};

void PrintTo(const Copy& copy, std::ostream* out) {
  *out << copy.name;
}

class ProgramFolderJourney : public PlageJourney, public ::testing::WithParamInterface<Copy> {};

TEST_P(ProgramFolderJourney, StateFilesLandInTheProgramsFolderAndHelpIsFound) {
  WriteWinIni(WindowsPath(plage_ / "foret.bmp"));
  std::filesystem::path programFolder = AppFile("");
  if (GetParam().installed) {
    programFolder = StartInstalledFondex();
  } else {
    StartFondex();
  }
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));
  // The help of the file list, where a click puts the keyboard.
  Click(MainWindow(), ListRow(main_window::kFichListeBox, 0));
  Key(MainWindow(), "F1");
  WaitForWindow("Les commandes de la fen");

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  const auto kept = GetParam().installed ? PlatformFile("") : programFolder;
  const auto other = GetParam().installed ? programFolder : PlatformFile("");
  EXPECT_EQ(StoredPath(plage_) + "\r\n3\r\n", ReadFile(kept / "FONDEX.DAT"));
  EXPECT_NE("", ReadFile(kept / "FONDEX.INI"));
  for (const char* name : {"FONDEX.DAT", "FONDEX.INI"}) {
    EXPECT_FALSE(std::filesystem::exists(other / name)) << other / name;
  }
}

INSTANTIATE_TEST_SUITE_P(Copies, ProgramFolderJourney,
                         ::testing::Values(Copy{"Portable", false}, Copy{"Installed", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fondex::e2e
