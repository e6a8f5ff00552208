#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using Command = TFondexMainForm::NotifCommand;

// A folder changed one after the other, with the icon's option on and a notification area.
class NotifyIconTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
    fake.files.AddFile(kDirFile, "c:\\a\r\n3\r\n");
    fake.profiles.SetFile(kIniFile,
                          "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=Successif\r\n"
                          "Auto=Oui\r\nIconeNotification=Oui\r\n");
    SetWallpaperEntry("c:\\a\\a1.bmp");
    program.Start();
    Icon().AreaExists = [this] { return area; };
    Main().Show();
    Main().BroughtToFront.Connect([this] { ++fronts; });
    Main().CloseRequested.Connect([this] { ++closes; });
  }
  toolkit::NotifyIcon& Icon() { return Main().IconeNotif; }
  void Menu(Command command) {
    Dispatch([&] { Icon().OnMenuClick(static_cast<std::size_t>(command)); });
  }
  void Escape() {
    Dispatch([&] { Main().FormKeyDown(toolkit::vk::kEscape, {}); });
  }

  bool area = true;
  int fronts = 0;
  int closes = 0;
};

TEST_F(NotifyIconTest, TheMenuRunsTheWindowsCommandsAndItsTipIsTheCaption) {
  ASSERT_TRUE(Icon().Shown());
  std::vector<std::string> captions;
  for (const toolkit::NotifyMenuItem& item : Icon().Menu()) {
    captions.push_back(item.caption);
  }
  EXPECT_THAT(captions, ElementsAre("Changer de papier peint", "Papier peint précédent",
                                    "Pas de papier peint", "Geler le choix automatique", "",
                                    "Afficher Fondex", "Options…", "Quitter Fondex"));
  EXPECT_EQ(Icon().Tip(), "Fondex2 : c:\\a\\a1.bmp");

  Menu(Command::kChange);
  EXPECT_EQ(Icon().Tip(), "Fondex2 : c:\\a\\a2.bmp");
  Menu(Command::kPrevious);
  Menu(Command::kPlain);
  EXPECT_EQ(Icon().Tip(), "Fondex2");
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\a\\a2.bmp", "c:\\a\\a1.bmp", ""));

  // The freeze line is the check box, both ways.
  const auto freeze = [&] { return Icon().Menu()[static_cast<std::size_t>(Command::kFreeze)]; };
  Menu(Command::kFreeze);
  EXPECT_TRUE(Main().GeleChBox.Checked());
  EXPECT_TRUE(freeze().checked);
  Main().GeleChBox.Toggle();
  EXPECT_FALSE(freeze().checked);

  Menu(Command::kQuit);
  EXPECT_EQ(closes, 1);
}

// Escape and the window system's minimize hide the window into the icon; a click on the icon or
// "Afficher Fondex" brings it back, a click on it while shown hides it.
TEST_F(NotifyIconTest, MinimizingHidesIntoTheIconOnlyWhenAnAreaShowsIt) {
  Escape();
  EXPECT_FALSE(Main().Visible());
  EXPECT_FALSE(app.Minimized());
  Dispatch([&] { Icon().OnClick(); });
  EXPECT_TRUE(Main().Visible());
  EXPECT_EQ(fronts, 1);
  Dispatch([&] { Icon().OnClick(); });
  EXPECT_FALSE(Main().Visible());
  Menu(Command::kShow);
  EXPECT_TRUE(Main().Visible());

  // No area to show the icon in: minimized to the task bar, as without the option.
  area = false;
  Dispatch([&] { app.Minimize(); });
  EXPECT_TRUE(Main().Visible());
  EXPECT_TRUE(app.Minimized());
  Dispatch([&] { app.Restore(); });

  // The option taken off while hidden: the window comes back.
  area = true;
  Escape();
  ASSERT_FALSE(Main().Visible());
  Options().ChBIconeNotif.SetChecked(false);
  Dispatch([&] { Main().ApplyTimerSettings(); });
  EXPECT_FALSE(Icon().Shown());
  EXPECT_TRUE(Main().Visible());
  Escape();
  EXPECT_TRUE(app.Minimized());
}

// While a box of the program is open the menu's lines only bring the window forward.
TEST_F(NotifyIconTest, WhileABoxIsOpenTheMenuOnlyBringsTheWindowForward) {
  Escape();
  fake.modalHost.AnswerBox(1, [&] {
    for (const Command command : {Command::kChange, Command::kPrevious, Command::kPlain,
                                  Command::kOptions, Command::kQuit}) {
      Icon().OnMenuClick(static_cast<std::size_t>(command));
    }
  });
  Dispatch([&] { Main().ApplyWallpaper("c:\\a\\parti"); });
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(fronts, 5);
  EXPECT_EQ(closes, 0);
  EXPECT_TRUE(Main().Visible());
}

}  // namespace
}  // namespace fondex::test
