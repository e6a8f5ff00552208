#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A wallpaper from a directory of three, changed one file after the other.
class AutoChangeTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
    AddBitmaps("C:\\B", {"b1.bmp", "b2.bmp"});
    fake.files.AddFile(kDirFile, "c:\\a\r\nc:\\b\r\n3\r\n2\r\n");
    SetWallpaperEntry("c:\\a\\a1.bmp");
  }

  void StartSuccessive() {
    program.Start();
    Options().SetHasardTech(THasardTech::Successif);
    Options().SetHasardLieu(THasardLieu::RepActif);
  }

  // The options as the dialog leaves them, then their timer settings.
  void Arm(bool automatic, int delay) {
    Options().ChBAuto.SetChecked(automatic);
    Options().SetDelai(delay);
    Dispatch([&] { Main().ApplyTimerSettings(); });
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) {
      Dispatch([&] { Main().ChangeTimer.Tick(); });
    }
  }

  std::size_t Changes() const { return fake.desktop.Requests().size(); }
  std::int32_t Minutes() { return Main().TickCount; }
};

TEST_F(AutoChangeTest, TimerSettingsFollowTheOptionsWithoutRestartingARunningMinute) {
  StartSuccessive();
  EXPECT_FALSE(Main().ChangeTimer.Enabled());
  EXPECT_FALSE(Main().GeleChBox.Enabled());

  Arm(true, 5);
  EXPECT_TRUE(Main().ChangeTimer.Enabled());
  EXPECT_EQ(Main().ChangeTimer.Interval(), 60000);
  EXPECT_TRUE(Main().GeleChBox.Enabled());
  EXPECT_FALSE(Main().GeleChBox.Checked());

  // Confirmed unchanged: the timer is not restarted, the count stays, a freeze ends.
  Tick(3);
  Main().GeleChBox.SetChecked(true);
  int restarts = 0;
  Main().ChangeTimer.Changed.Connect([&] { ++restarts; });
  Arm(true, 5);
  EXPECT_EQ(restarts, 0);
  EXPECT_EQ(Minutes(), 3);
  EXPECT_FALSE(Main().GeleChBox.Checked());

  Arm(true, 0);
  EXPECT_EQ(Main().ChangeTimer.Interval(), 2000);
  EXPECT_TRUE(Main().ChangeTimer.Enabled());
  EXPECT_EQ(Minutes(), 3);

  Main().GeleChBox.SetChecked(true);
  Arm(false, 0);
  EXPECT_FALSE(Main().ChangeTimer.Enabled());
  EXPECT_FALSE(Main().GeleChBox.Checked());
  EXPECT_FALSE(Main().GeleChBox.Enabled());
  Tick(10);
  EXPECT_EQ(Changes(), 0u);
}

TEST_F(AutoChangeTest, TheHiddenFilesSettingRelistsTheShownDirectory) {
  fake.files.AddFile("C:\\A\\cache.bmp", "BM", platform::kArchive | platform::kHidden);
  fake.files.AddFile("C:\\A\\sys.bmp", "BM", platform::kArchive | platform::kSystem);
  StartSuccessive();
  ASSERT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a2.bmp", "a3.bmp"));
  Options().ChBCaches.SetChecked(true);
  Arm(false, 5);
  EXPECT_THAT(Main().FichListeBox.Items(),
              ElementsAre("a1.bmp", "a2.bmp", "a3.bmp", "cache.bmp", "sys.bmp"));
  Options().ChBCaches.SetChecked(false);
  Arm(false, 5);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a2.bmp", "a3.bmp"));
}

TEST_F(AutoChangeTest, ADelayOfFiveChangesAtEveryFifthMinuteAfterTheLastWallpaper) {
  StartSuccessive();
  Arm(true, 5);
  Tick(4);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(Minutes(), 4);
  Tick();
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\a\\a2.bmp"));
  EXPECT_EQ(Minutes(), 0);
  Tick(4);
  EXPECT_EQ(Changes(), 1u);
  Tick();
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\a\\a2.bmp", "c:\\a\\a3.bmp"));
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(AutoChangeTest, ShorteningTheDelayChangesAtTheNextTickLengtheningPostpones) {
  StartSuccessive();
  Arm(true, 5);
  Tick(4);
  Arm(true, 3);
  EXPECT_EQ(Changes(), 0u);
  Tick();
  EXPECT_EQ(Changes(), 1u);

  Tick(2);
  Arm(true, 10);
  Tick(7);
  EXPECT_EQ(Changes(), 1u);
  Tick();
  EXPECT_EQ(Changes(), 2u);
}

TEST_F(AutoChangeTest, AWallpaperSetByHandRestartsTheCountAPlainDesktopDoesNot) {
  StartSuccessive();
  Arm(true, 5);
  Tick(3);
  Main().EditChoisiBMP.SetText("C:\\B\\B1");
  char enter = 13;
  Dispatch([&] { Main().EditChoisiBMPKeyPress(enter); });
  EXPECT_EQ(Minutes(), 0);
  Tick(4);
  EXPECT_EQ(Changes(), 1u);
  Tick();
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\b\\b1.bmp", "c:\\b\\b2.bmp"));

  Tick(3);
  Dispatch([&] { Main().BBtnNoWalpClick(); });
  EXPECT_EQ(Minutes(), 3);
  Tick(2);
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\a\\a1.bmp");
}

TEST_F(AutoChangeTest, TicksAreHeldWhileTheOptionsDialogOrTheAboutBoxIsVisible) {
  StartSuccessive();
  Arm(true, 5);
  Tick(2);
  fake.modalHost.ScriptModal([&](toolkit::Form&) { Tick(10); });
  Dispatch([&] { Main().BBtnOptionsClick(); });
  fake.modalHost.ScriptModal([&](toolkit::Form&) { Tick(10); });
  Dispatch([&] { Main().BBtnAproposClick(); });
  Options().Show();
  Tick(10);
  Options().Hide();
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(Minutes(), 2);
  Tick(2);
  EXPECT_EQ(Changes(), 0u);
  Tick();
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(AutoChangeTest, AFreezeStopsTheCountButNotTheButton) {
  StartSuccessive();
  Arm(true, 5);
  Tick(2);
  Main().GeleChBox.Toggle();
  Tick(20);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(Minutes(), 2);
  Dispatch([&] { Main().BBtnHasard.Click(); });
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\a\\a2.bmp");

  Main().GeleChBox.Toggle();
  Tick(4);
  EXPECT_EQ(Changes(), 1u);
  Tick();
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\a\\a3.bmp");
}

TEST_F(AutoChangeTest, RapidModeChangesAtEveryTickAndCountsNothing) {
  StartSuccessive();
  // A directory without wallpapers first: the ticks set nothing, and count nothing either.
  fake.files.AddDirectory("C:\\V");
  Main().NouveauRep("c:\\v");
  Dispatch([&] { Main().DirListeBox.UserSelect(2); });
  Arm(true, 5);
  Tick(3);
  Arm(true, 0);
  Tick(5);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(Minutes(), 3);
  EXPECT_THAT(BoxTexts(), IsEmpty());
  // Back to minutes: the count goes on from where it was.
  Arm(true, 5);
  Tick();
  EXPECT_EQ(Minutes(), 4);

  Arm(true, 0);
  Dispatch([&] { Main().DirListeBox.UserSelect(0); });
  Tick(4);
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\a\\a1.bmp", "c:\\a\\a2.bmp", "c:\\a\\a3.bmp", "c:\\a\\a1.bmp"));
  EXPECT_EQ(Minutes(), 0);
}

TEST_F(AutoChangeTest, AChangeThatSetsNothingIsTriedAgainAtEveryMinute) {
  StartSuccessive();
  Arm(true, 2);
  fake.desktop.RefuseAll(true);
  Tick(4);
  EXPECT_EQ(Minutes(), 4);
  const std::string refused =
      "Windows n'a pu charger c:\\a\\a2.bmp. Vérifiez la valdidité de ce papier peint";
  EXPECT_THAT(BoxTexts(), ElementsAre(refused, refused, refused));
  fake.desktop.RefuseAll(false);
  Tick();
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\a\\a2.bmp");
  EXPECT_EQ(Minutes(), 0);
}

TEST_F(AutoChangeTest, ATickDuringAMessageBoxIsCountedAndTheChangeComesAtTheNextTick) {
  StartSuccessive();
  Arm(true, 2);
  Main().EditChoisiBMP.SetText("c:\\a\\parti");
  std::size_t changesWhileOpen = 99;
  fake.modalHost.AnswerBox(2, [&] {
    Tick(3);
    changesWhileOpen = Changes();
  });
  char enter = 13;
  Dispatch([&] { Main().EditChoisiBMPKeyPress(enter); });
  EXPECT_EQ(changesWhileOpen, 0u);
  EXPECT_THAT(BoxTexts(), ElementsAre("Le fichier c:\\a\\parti.bmp est introuvable"));
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(Minutes(), 3);
  // The plain desktop left the file list as it stood, a1 selected.
  Tick();
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("", "c:\\a\\a2.bmp"));

  // Rapid mode: no change inside a box or a file dialog either.
  Arm(true, 0);
  fake.modalHost.AnswerBox(2, [&] { Tick(3); });
  Dispatch([&] { Main().ApplyWallpaper("c:\\a\\parti"); });
  fake.modalHost.AnswerDialog(std::nullopt, [&] { Tick(3); });
  Dispatch([&] { Main().BBtnSelectBMP.Click(); });
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("", "c:\\a\\a2.bmp", ""));
  Tick();
  EXPECT_EQ(Changes(), 4u);
}

TEST_F(AutoChangeTest, NoChangeStartsInsideAChangeWaitingOnItsOwnBox) {
  AddBitmaps("C:\\C", {"c1.bmp"});
  program.Start();
  Main().NouveauRep("c:\\c");
  Options().SetHasardTech(THasardTech::HasardDsRep);
  Options().SetHasardLieu(THasardLieu::RepSucc);
  Arm(true, 0);
  fake.files.Remove("C:\\B");
  fake.modalHost.AnswerBox(2, [&] {
    Tick(3);
    Main().BBtnHasardClick(&Main().BBtnHasard);
    Main().BBtnHasardClick(&Main());
  });
  Tick();
  EXPECT_THAT(BoxTexts(), ElementsAre("Le répertoire c:\\b est introuvable"));
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\c\\c1.bmp"));
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\c"));
  EXPECT_THAT(Counts(), ElementsAre(3, 1));
  // Once it is over, changes start again.
  Tick();
  EXPECT_EQ(fake.desktop.Requests().size(), 2u);
}

TEST_F(AutoChangeTest, AChangeAtStartUpAloneWhenTheAutomaticChangeIsOff) {
  fake.profiles.SetFile(kIniFile,
                        "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=Successif\r\n"
                        "AuLancement=Oui\r\nAuto=Non\r\n");
  program.Start();
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\a\\a2.bmp"));
  EXPECT_FALSE(Main().ChangeTimer.Enabled());
  Tick(100);
  EXPECT_EQ(Changes(), 1u);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

}  // namespace
}  // namespace fondex::test
