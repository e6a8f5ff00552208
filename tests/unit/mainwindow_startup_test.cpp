#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, ShowsTheProfileWallpaperWithoutSettingItAgain) {
  AddBitmaps("C:\\Images", {"Foret.BMP", "Mer.BMP"});
  SetWallpaperEntry("C:\\Images\\Mer.BMP");
  program.Start();

  EXPECT_EQ(State(), TProgramState::StateReady);
  EXPECT_EQ(Main().Caption(), "Fondex2 : c:\\images\\mer.bmp");
  EXPECT_EQ(Main().EditChoisiBMP.Text(), "c:\\images\\mer.bmp");
  EXPECT_EQ(Main().CurrentWallpaperDir, "c:\\images\\");
  EXPECT_THAT(Directories(), ElementsAre("c:\\images"));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_THAT(Counts(), ElementsAre(2));
  EXPECT_EQ(Main().FichListeBox.Item(Main().FichListeBox.ItemIndex()), "Mer.BMP");
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_THAT(BoxTexts(), IsEmpty());
  EXPECT_EQ(Main().LblPPeintActuel.Caption(), "Papier peint actuel :");
}

TEST_F(StartupTest, AnEntryThatNamesNothingIsAPlainDesktopWithoutAMessage) {
  for (const char* entry : {"", "(aucun)", "C:\\Images\\parti.bmp"}) {
    FakePlatform fresh;
    toolkit::Application freshApp{fresh.modalHost, fresh.help};
    FondexProgram freshProgram{freshApp, fresh.Platform()};
    fresh.profiles.WriteString("WIN.INI", "Desktop", "Wallpaper", entry);
    freshProgram.Start();
    EXPECT_EQ(freshProgram.MainForm().Caption(), "Fondex2") << entry;
    EXPECT_TRUE(freshProgram.MainForm().NoWallpaper) << entry;
    EXPECT_EQ(freshProgram.MainForm().EditChoisiBMP.Text(), "") << entry;
    EXPECT_THAT(fresh.desktop.Requests(), IsEmpty()) << entry;
    EXPECT_THAT(fresh.modalHost.Boxes(), IsEmpty()) << entry;
  }
}

TEST_F(StartupTest, FollowsOutsideChangesButNotItsOwn) {
  AddBitmaps("C:\\Images", {"foret.bmp", "mer.bmp"});
  fake.files.AddDrive('D');
  AddBitmaps("D:\\Fonds", {"ciel.bmp"});
  program.Start();
  const int readsAfterStart = fake.profiles.Reads("WIN.INI");

  fake.desktop.SimulateOutsideChange("D:\\Fonds\\Ciel.bmp");
  EXPECT_EQ(Main().Caption(), "Fondex2 : d:\\fonds\\ciel.bmp");
  EXPECT_EQ(fake.profiles.Reads("WIN.INI"), readsAfterStart + 1);

  Dispatch([&] { Main().ApplyWallpaper("c:\\images\\foret"); });
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\images\\foret.bmp");
  EXPECT_EQ(Main().Caption(), "Fondex2 : c:\\images\\foret.bmp");
  EXPECT_EQ(State(), TProgramState::StateReady);
  EXPECT_EQ(fake.profiles.Reads("WIN.INI"), readsAfterStart + 1);
  EXPECT_THAT(Directories(), ElementsAre("c:\\images", "d:\\fonds"));
}

TEST_F(StartupTest, NotificationsAreIgnoredWhileStarting) {
  program.Start();
  program.Program().ProgramState = TProgramState::StateStarting;
  const int reads = fake.profiles.Reads("WIN.INI");
  fake.desktop.SimulateOutsideChange("");
  EXPECT_EQ(fake.profiles.Reads("WIN.INI"), reads);
  EXPECT_EQ(State(), TProgramState::StateStarting);
}

TEST_F(StartupTest, ADamagedDirectoryListIsReportedAndStartUpGoesOn) {
  AddBitmaps("C:\\Images", {"mer.bmp"});
  fake.files.AddFile(kDirFile, "c:\\images\r\nbeaucoup\r\n");
  SetWallpaperEntry("c:\\images\\mer.bmp");
  program.Start();

  EXPECT_THAT(BoxTexts(), ElementsAre("'beaucoup' is not a valid integer value."));
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.title, "Fondex2");
  EXPECT_EQ(State(), TProgramState::StateReady);
  EXPECT_EQ(Main().Caption(), "Fondex2 : c:\\images\\mer.bmp");
  EXPECT_TRUE(fake.drops.Accepts(&Main()));
}

TEST_F(StartupTest, DropsApplyTheFirstFileAndAddEveryDirectory) {
  AddBitmaps("C:\\Images", {"a.bmp", "b.bmp"});
  AddBitmaps("C:\\Fonds", {"c.bmp"});
  fake.files.AddDirectory("C:\\Vide");
  program.Start();
  fake.files.SetCurrentDirectory("C:\\Images");

  const auto drop =
      fake.drops.AddDrop({"C:\\Fonds", "a.bmp", "C:\\Images\\B.BMP", "C:\\Vide\\", "C:\\rien"});
  toolkit::Message message{toolkit::kWmDropFiles, drop, 0, 0};
  app.DeliverQueued(message, [&](toolkit::Message& m) { Main().WMDropFiles(m); });

  EXPECT_EQ(fake.desktop.Requests(), std::vector<std::string>{"c:\\images\\a.bmp"});
  EXPECT_THAT(Directories(), ElementsAre("c:\\fonds", "c:\\images", "c:\\vide"));
  EXPECT_EQ(fake.drops.FinishCount(drop), 1);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(StartupTest, ADropNameTooLongForItsBufferIsIgnored) {
  program.Start();
  const std::string deep = "C:\\" + std::string(150, 'x') + "\\" + std::string(150, 'y');
  fake.files.AddDirectory(deep);
  const auto drop = fake.drops.AddDrop({deep});
  Dispatch([&] { Main().ProcessDroppedFiles(drop); });
  EXPECT_THAT(Directories(), IsEmpty());
  EXPECT_EQ(fake.drops.FinishCount(drop), 1);
}

TEST_F(StartupTest, ClosingSavesTheSettingsThenLeavesAPlainDesktopWhenAsked) {
  AddBitmaps("C:\\Images", {"mer.bmp"});
  SetWallpaperEntry("c:\\images\\mer.bmp");
  program.Start();
  Options().ChBFinNone.SetChecked(true);

  EXPECT_TRUE(Main().CloseQuery());
  EXPECT_TRUE(fake.profiles.Exists(kIniFile));
  EXPECT_EQ(fake.desktop.Requests(), std::vector<std::string>{""});
  EXPECT_EQ(Main().Caption(), "Fondex2");
}

// A window whose settings cannot be saved still closes, once the failure is reported: on the
// screen, or on the standard error output when the session ends and nobody may be waited for.
TEST_F(StartupTest, AFailedSaveIsReportedAndTheCloseGoesOn) {
  const std::string report = std::string("Unable to write to ") + kIniFile + ".";
  for (const bool sessionEnding : {false, true}) {
    SCOPED_TRACE(sessionEnding ? "session end" : "close box");
    FakePlatform fresh;
    toolkit::Application freshApp{fresh.modalHost, fresh.help};
    FondexProgram freshProgram{freshApp, fresh.Platform()};
    fresh.files.AddDirectory("C:\\Images");
    fresh.files.AddFile("C:\\Images\\mer.bmp", "BM");
    fresh.profiles.WriteString("WIN.INI", "Desktop", "Wallpaper", "c:\\images\\mer.bmp");
    freshProgram.Start();
    freshProgram.OptBox().ChBFinNone.SetChecked(true);
    fresh.profiles.RefuseWrite(kIniFile);
    freshApp.SetSessionEnding(sessionEnding);

    ::testing::internal::CaptureStderr();
    bool canClose = false;
    freshApp.Dispatch([&] { canClose = freshProgram.MainForm().CloseQuery(); });
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(fresh.profiles.Exists(kIniFile));
    EXPECT_EQ(fresh.desktop.Requests(), std::vector<std::string>{""});
    EXPECT_EQ(fresh.modalHost.Boxes().size(), sessionEnding ? 0u : 1u);
    EXPECT_EQ(errors.find(report) != std::string::npos, sessionEnding);
  }
}

TEST_F(StartupTest, FinishingWithdrawsTheDropTargetsAndWritesTheList) {
  AddBitmaps("C:\\Images", {"mer.bmp", "ciel.bmp"});
  SetWallpaperEntry("c:\\images\\mer.bmp");
  program.Start();
  program.Finish();
  EXPECT_FALSE(fake.drops.Accepts(&Main()));
  EXPECT_FALSE(fake.drops.Accepts(&app));
  EXPECT_EQ(fake.files.Contents(kDirFile), "c:\\images\r\n2\r\n");
}

}  // namespace
}  // namespace fondex::test
