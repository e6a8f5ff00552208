#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr toolkit::ShiftState kNoShift{};
constexpr toolkit::ShiftState kShift{true, false, false};
constexpr toolkit::ShiftState kControl{false, true, false};

// Three search directories of 3, 2 and 1 wallpapers.
class CommandsTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
    AddBitmaps("C:\\B", {"b1.bmp", "b2.bmp"});
    AddBitmaps("C:\\C", {"c1.bmp"});
    fake.files.AddFile(kDirFile, "c:\\a\r\nc:\\b\r\nc:\\c\r\n3\r\n2\r\n1\r\n");
  }

  void StartOn(const std::string& wallpaper) {
    if (!wallpaper.empty()) {
      SetWallpaperEntry(wallpaper);
    }
    program.Start();
  }

  char Type(char key) {
    Dispatch([&] { Main().EditChoisiBMPKeyPress(key); });
    return key;
  }
  void KeyDown(int key, toolkit::ShiftState shift = kNoShift) {
    Dispatch([&] { Main().FormKeyDown(key, shift); });
  }
  void DirKeyUp(int key, toolkit::ShiftState shift = kNoShift) {
    Dispatch([&] { Main().DirListeBoxKeyUp(key, shift); });
  }
  void FileKeyUp(int key, toolkit::ShiftState shift = kNoShift) {
    Dispatch([&] { Main().FichListeBoxKeyUp(key, shift); });
  }
  void SelectFile(int index) { Main().FichListeBox.SetItemIndex(index); }
  std::string SelectedFile() {
    const int index = Main().FichListeBox.ItemIndex();
    return index < 0 ? "" : Main().FichListeBox.Item(index);
  }

  std::string Wallpaper() const { return fake.desktop.Wallpaper(); }
  std::size_t Requests() const { return fake.desktop.Requests().size(); }
};

TEST_F(CommandsTest, TheNameBoxAppliesOnEnterAndMinimisesOnEscape) {
  StartOn("");
  Main().EditChoisiBMP.SetText("C:\\B\\B2");
  Type(13);
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");

  // An empty name is the plain desktop, without a word.
  Main().EditChoisiBMP.SetText("");
  Type(13);
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\b\\b2.bmp", ""));
  EXPECT_EQ(Main().Caption(), "Fondex2");
  EXPECT_THAT(BoxTexts(), IsEmpty());

  // Letters stay text, H included.
  EXPECT_EQ(Type('h'), 'h');
  EXPECT_EQ(Requests(), 2u);
  EXPECT_FALSE(app.Minimized());
  Type(27);
  EXPECT_TRUE(app.Minimized());
}

TEST_F(CommandsTest, TheFileListAppliesItsSelectionOnEnterOrDoubleClick) {
  StartOn("");
  SelectFile(1);
  FileKeyUp(13);
  EXPECT_EQ(Wallpaper(), "c:\\a\\a2.bmp");
  SelectFile(2);
  Dispatch([&] { Main().FichListeBox.OnDblClick(); });
  EXPECT_EQ(Wallpaper(), "c:\\a\\a3.bmp");

  // Nothing selected: a plain desktop and no message, either way.
  SelectFile(-1);
  FileKeyUp(13);
  EXPECT_EQ(Wallpaper(), "");
  Dispatch([&] { Main().BBtnHasardClick(&Main()); });  // a wallpaper again
  SelectFile(-1);
  Dispatch([&] { Main().FichListeBox.OnDblClick(); });
  EXPECT_EQ(Wallpaper(), "");
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(CommandsTest, DeleteInTheDirectoryListRemovesAtOnceAndOpensTheNextOne) {
  StartOn("");
  Dispatch([&] { Main().DirListeBox.UserSelect(1); });
  DirKeyUp(46);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\c"));
  EXPECT_THAT(Counts(), ElementsAre(3, 1));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 1);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("c1.bmp"));
  EXPECT_TRUE(fake.files.Exists("C:\\B\\b1.bmp"));

  // The last one: the new last is opened.
  DirKeyUp(46);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a"));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a2.bmp", "a3.bmp"));

  // The only one: both lists are left empty.
  DirKeyUp(46);
  EXPECT_THAT(Directories(), IsEmpty());
  EXPECT_THAT(Main().FichListeBox.Items(), IsEmpty());
  EXPECT_EQ(Main().FichListeBox.Directory(), "");
  DirKeyUp(46);
  EXPECT_THAT(BoxTexts(), IsEmpty());
  EXPECT_TRUE(fake.files.Exists("C:\\A"));
}

TEST_F(CommandsTest, DeleteWithNoDirectorySelectedChangesNothing) {
  StartOn("c:\\b\\b1.bmp");
  Main().DirListeBox.SetItemIndex(-1);
  DirKeyUp(46);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\c"));
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 1));
  EXPECT_THAT(BoxTexts(), IsEmpty());

  // With Shift the key goes to the keyboard commands, which do not know it.
  Main().DirListeBox.SetItemIndex(1);
  DirKeyUp(46, kShift);
  EXPECT_EQ(Directories().size(), 3u);
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_EQ(Main().CurrentWallpaper, "c:\\b\\b1.bmp");
}

TEST_F(CommandsTest, HInTheDirectoryListDrawsFromSeedZeroUntilAChangeSeedsIt) {
  std::string listFile;
  std::string counts;
  for (int k = 0; k < 40; ++k) {
    char name[16];
    std::snprintf(name, sizeof name, "c:\\d%02d", k);
    AddBitmaps(name, {"x.bmp", "y.bmp"});
    listFile += std::string(name) + "\r\n";
    counts += "2\r\n";
  }
  fake.files.AddFile(kDirFile, listFile + counts);
  StartOn("");
  Options().SetHasardTech(THasardTech::Successif);
  Options().SetHasardLieu(THasardLieu::RepActif);
  Dispatch([&] { Main().DirListeBox.UserSelect(5); });

  // Seed 0 over 40 directories: 0, then 1, then 34.
  DirKeyUp('H');
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  DirKeyUp('H');
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 1);
  DirKeyUp('H');
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 34);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("x.bmp", "y.bmp"));
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());

  // H in the file list is a change, and the change seeds the generator from the clock.
  fake.clock.Set({1, 2, 3, 4});
  FileKeyUp('H');
  EXPECT_EQ(Wallpaper(), "c:\\d34\\x.bmp");
  DirKeyUp('H');
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 25);

  // Shift+H in the directory list changes the wallpaper instead.
  DirKeyUp('H', kShift);
  EXPECT_EQ(Wallpaper(), "c:\\d25\\x.bmp");
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(CommandsTest, BPAndROpenTheirDialogsAndACancelChangesNothing) {
  StartOn("c:\\a\\a1.bmp");
  for (const int key : {'B', 'P'}) {
    for (const toolkit::ShiftState shift : {kNoShift, kShift, kControl}) {
      fake.modalHost.AnswerDialog(std::nullopt);
      KeyDown(key, shift);
    }
  }
  fake.modalHost.AnswerDialog(std::nullopt);
  KeyDown('R');
  fake.modalHost.AnswerDialog(std::nullopt);
  Dispatch([&] { Main().BBtnSelectRep.Click(); });
  const auto& dialogs = fake.modalHost.Dialogs();
  ASSERT_EQ(dialogs.size(), 8u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(dialogs[i].request.title, "Sélection d'une image");
  }
  EXPECT_EQ(dialogs[6].request.title, "Sélection d'un répertoire");
  EXPECT_EQ(dialogs[6].request.fileName, "papier.bmp");
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\c"));
  EXPECT_EQ(SelectedFile(), "a1.bmp");

  fake.modalHost.AnswerDialog("C:\\B\\B2.BMP");
  Dispatch([&] { Main().BBtnSelectBMP.Click(); });
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");
  EXPECT_EQ(fake.modalHost.UnscriptedCount(), 0);
}

TEST_F(CommandsTest, TheDirectoryDialogAddsADirectoryWithoutItsProposedFile) {
  AddBitmaps("C:\\Nouveau", {"n1.bmp", "n2.bmp"});
  StartOn("c:\\a\\a1.bmp");
  fake.modalHost.AnswerDialog("C:\\Nouveau\\papier.bmp");
  KeyDown('R', kShift);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\c", "c:\\nouveau"));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 3);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("n1.bmp", "n2.bmp"));
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 1, 2));

  // One that is listed already is only opened.
  fake.modalHost.AnswerDialog("C:\\B\\b2.bmp");
  KeyDown('R');
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\c", "c:\\nouveau"));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 1);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("b1.bmp", "b2.bmp"));
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

// Each dialog opens again on the last choice: the picture dialog names the chosen file, the
// directory dialog proposes its name in the chosen folder.
TEST_F(CommandsTest, TheDialogsOpenAgainOnTheLastChoice) {
  StartOn("c:\\a\\a1.bmp");
  struct Row {
    toolkit::BitButton& button;
    std::string chosen, fileName, initialDir;
  };
  const Row rows[] = {
      {Main().BBtnSelectBMP, "C:\\B\\B2.BMP", "C:\\B\\B2.BMP", ""},
      {Main().BBtnSelectRep, "C:\\C\\papier.bmp", "papier.bmp", "C:\\C\\"},
  };
  for (const Row& row : rows) {
    fake.modalHost.AnswerDialog(row.chosen);
    Dispatch([&] { row.button.Click(); });
    fake.modalHost.AnswerDialog(std::nullopt);
    Dispatch([&] { row.button.Click(); });
    const toolkit::OpenDialogRequest& again = fake.modalHost.Dialogs().back().request;
    EXPECT_EQ(again.fileName, row.fileName) << row.chosen;
    EXPECT_EQ(again.initialDir, row.initialDir) << row.chosen;
  }
}

TEST_F(CommandsTest, SpaceGivesAPlainDesktopEscapeMinimisesOtherKeysDoNothing) {
  StartOn("c:\\a\\a1.bmp");
  KeyDown('Z');
  KeyDown('H' + 1);
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_FALSE(app.Minimized());
  DirKeyUp(32, kControl);
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(Main().Caption(), "Fondex2");
  FileKeyUp(27);
  EXPECT_TRUE(app.Minimized());
  KeyDown(27);
  EXPECT_TRUE(app.Minimized());
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(CommandsTest, DeletingTheWallpaperFileAsksWhetherToChangeIt) {
  StartOn("c:\\a\\a2.bmp");
  fake.modalHost.AnswerBox(kYes);
  fake.modalHost.AnswerBox(kYes);
  FileKeyUp(46);
  ASSERT_THAT(BoxTexts(), ElementsAre("Tenez-vous vraiment à effacer c:\\a\\a2.bmp ?",
                                      "Changer le papier peint ?"));
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kConfirmation);
  EXPECT_FALSE(fake.files.Exists("C:\\A\\a2.bmp"));
  EXPECT_EQ(Wallpaper(), "c:\\a\\a3.bmp");
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a3.bmp"));
  EXPECT_EQ(SelectedFile(), "a3.bmp");

  // No: the plain desktop, the first directory shown and no file selected.
  Dispatch([&] { Main().DirListeBox.UserSelect(1); });
  SelectFile(0);
  Dispatch([&] { Main().FichListeBox.OnDblClick(); });
  ASSERT_EQ(Wallpaper(), "c:\\b\\b1.bmp");
  fake.modalHost.AnswerBox(kYes);
  fake.modalHost.AnswerBox(kNo);
  FileKeyUp(46);
  EXPECT_EQ(Wallpaper(), "");
  EXPECT_EQ(Main().Caption(), "Fondex2");
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a3.bmp"));
  EXPECT_EQ(Main().FichListeBox.ItemIndex(), -1);
  EXPECT_FALSE(fake.files.Exists("C:\\B\\b1.bmp"));
  EXPECT_EQ(BoxTexts().size(), 4u);
}

TEST_F(CommandsTest, DeletingTheLastWallpaperOfTheListAppliesTheNewLast) {
  StartOn("c:\\a\\a3.bmp");
  fake.modalHost.AnswerBox(kYes);
  fake.modalHost.AnswerBox(kYes);
  FileKeyUp(46);
  EXPECT_EQ(Wallpaper(), "c:\\a\\a2.bmp");
  EXPECT_EQ(SelectedFile(), "a2.bmp");
}

TEST_F(CommandsTest, DeletingTheOnlyFileGivesAPlainDesktopWithoutTheSecondQuestion) {
  StartOn("c:\\c\\c1.bmp");
  fake.modalHost.AnswerBox(kYes);
  FileKeyUp(46);
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_FALSE(fake.files.Exists("C:\\C\\c1.bmp"));
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(Main().EditChoisiBMP.Text(), "");
  EXPECT_EQ(Main().FichListeBox.ItemIndex(), -1);
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 1));
}

TEST_F(CommandsTest, DeletingAnotherFileSelectsTheOneAfterAndKeepsTheCount) {
  StartOn("c:\\a\\a1.bmp");
  SelectFile(1);
  fake.modalHost.AnswerBox(kYes);
  FileKeyUp(46);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a3.bmp"));
  EXPECT_EQ(SelectedFile(), "a3.bmp");
  EXPECT_EQ(BoxTexts().size(), 1u);

  // The last of the list: the new last is selected.
  fake.modalHost.AnswerBox(kYes);
  FileKeyUp(46);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp"));
  EXPECT_EQ(SelectedFile(), "a1.bmp");

  // Any answer but Yes keeps the file.
  fake.modalHost.AnswerBox(kNo);
  FileKeyUp(46);
  fake.modalHost.AnswerBox(toolkit::kCloseBoxResult);
  FileKeyUp(46);
  EXPECT_TRUE(fake.files.Exists("C:\\A\\a1.bmp"));
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 1));

  // Nothing selected: nothing to ask about.
  SelectFile(-1);
  FileKeyUp(46);
  EXPECT_EQ(BoxTexts().size(), 4u);
}

TEST_F(CommandsTest, AFileThatCannotBeDeletedKeepsItsItemAndSaysSo) {
  StartOn("c:\\a\\a2.bmp");
  const auto expectKept = [&](const char* how) {
    fake.modalHost.AnswerBox(kYes);
    const std::size_t before = BoxTexts().size();
    FileKeyUp(46);
    ASSERT_EQ(BoxTexts().size(), before + 2) << how;
    EXPECT_EQ(BoxTexts().back(), "Impossible d'effacer le fichier c:\\a\\a2.bmp") << how;
    EXPECT_EQ(fake.modalHost.Boxes().back().request.kind, toolkit::MessageKind::kError) << how;
    EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("a1.bmp", "a2.bmp", "a3.bmp")) << how;
    EXPECT_EQ(SelectedFile(), "a2.bmp") << how;
    EXPECT_EQ(Main().CurrentWallpaper, "c:\\a\\a2.bmp") << how;
  };
  fake.files.SetAttributes("C:\\A\\a2.bmp", platform::kArchive | platform::kReadOnly);
  expectKept("read-only");
  fake.files.SetAttributes("C:\\A\\a2.bmp", platform::kArchive);
  fake.files.MakeFail(FakeFileSystem::Operation::kDelete, "C:\\A\\a2.bmp");
  expectKept("in use");
  fake.files.ClearFailures();
  fake.files.Remove("C:\\A\\a2.bmp");
  expectKept("gone");
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

TEST_F(CommandsTest, TheDeletionRemovesTheFileOfItsQuestionWhateverHappensMeanwhile) {
  StartOn("c:\\a\\a1.bmp");
  Options().SetHasardTech(THasardTech::Successif);
  Options().SetHasardLieu(THasardLieu::RepActif);
  Options().ChBAuto.SetChecked(true);
  Options().SetDelai(0);
  Dispatch([&] { Main().ApplyTimerSettings(); });
  SelectFile(1);
  fake.modalHost.AnswerBox(kYes, [&] {
    Main().ChangeTimer.Tick();
    Main().ChangeTimer.Tick();
    fake.desktop.SimulateOutsideChange("c:\\b\\b1.bmp");
  });
  FileKeyUp(46);
  EXPECT_FALSE(fake.files.Exists("C:\\A\\a2.bmp"));
  EXPECT_TRUE(fake.files.Exists("C:\\A\\a1.bmp"));
  EXPECT_TRUE(fake.files.Exists("C:\\A\\a3.bmp"));
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("b1.bmp", "b2.bmp"));
  EXPECT_EQ(SelectedFile(), "b1.bmp");
  EXPECT_EQ(Main().CurrentWallpaper, "c:\\b\\b1.bmp");
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_EQ(BoxTexts().size(), 1u);
}

TEST_F(CommandsTest, ClosingTheOptionsDialogAnyWayAppliesItsTimerSettings) {
  StartOn("");
  Options().ChBAuto.SetChecked(true);
  Options().SetDelai(5);
  Dispatch([&] { Main().ApplyTimerSettings(); });

  Main().GeleChBox.SetChecked(true);
  fake.modalHost.ScriptModal([&](toolkit::Form&) {
    Options().SetDelai(0);
    Options().OKBtn.Click();
  });
  Dispatch([&] { Main().BBtnOptions.Click(); });
  EXPECT_EQ(Main().ChangeTimer.Interval(), 2000);
  EXPECT_FALSE(Main().GeleChBox.Checked());

  Main().GeleChBox.SetChecked(true);
  fake.modalHost.ScriptModal([&](toolkit::Form&) { Options().CancelBtn.Click(); });
  Dispatch([&] { Main().BBtnOptions.Click(); });
  EXPECT_FALSE(Main().GeleChBox.Checked());

  Main().GeleChBox.SetChecked(true);
  fake.modalHost.ScriptModal([&](toolkit::Form&) {});
  Dispatch([&] { Main().BBtnOptions.Click(); });
  EXPECT_FALSE(Main().GeleChBox.Checked());

  fake.modalHost.ScriptModal([&](toolkit::Form&) {
    Options().ChBAuto.SetChecked(false);
    Options().OKBtn.Click();
  });
  Dispatch([&] { Main().BBtnOptions.Click(); });
  EXPECT_FALSE(Main().ChangeTimer.Enabled());
  EXPECT_FALSE(Main().GeleChBox.Enabled());

  const auto& forms = fake.modalHost.Forms();
  ASSERT_EQ(forms.size(), 4u);
  EXPECT_EQ(forms[0].name, "OptBox");
  EXPECT_EQ(forms[0].result, toolkit::mr::kOK);
  EXPECT_EQ(forms[1].result, toolkit::mr::kCancel);
  EXPECT_EQ(forms[2].result, toolkit::kCloseBoxResult);
  EXPECT_FALSE(Options().Visible());
}

TEST_F(CommandsTest, TheAboutBoxIsShownModally) {
  StartOn("");
  bool visibleWhileOpen = false;
  fake.modalHost.ScriptModal([&](toolkit::Form& form) { visibleWhileOpen = form.Visible(); });
  Dispatch([&] { Main().BBtnApropos.Click(); });
  ASSERT_EQ(fake.modalHost.Forms().size(), 1u);
  EXPECT_EQ(fake.modalHost.Forms()[0].name, "AboutBox");
  EXPECT_TRUE(visibleWhileOpen);
  EXPECT_FALSE(program.AboutBox().Visible());
}

}  // namespace
}  // namespace fondex::test
