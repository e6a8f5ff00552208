#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/CommandLine.h"
#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::string Wall(int i) {
  return "c:\\fonds\\w" + std::to_string(i) + ".bmp";
}

// A folder of numbered wallpapers; w0 is on the desktop when the program starts.
class PreviousWallpaperTest : public ProgramTest {
 protected:
  void SetUp() override {
    fake.files.AddDirectory("C:\\Fonds");
    for (int i = 0; i <= 60; ++i) {
      fake.files.AddFile(Wall(i), "BM");
    }
    SetWallpaperEntry(Wall(0));
    program.Start();
  }
  void Apply(int i) {
    Dispatch([&] { Main().ApplyWallpaper(Wall(i)); });
  }
  void Back() {
    Dispatch([&] { Main().PreviousWallpaperClick(); });
  }
  // What the desktop was asked to show since the start.
  std::vector<std::string> Requests() { return fake.desktop.Requests(); }
};

// Each step back goes one further back, in the order they were put, starting from the
// wallpaper the desktop had at the start; at the oldest, nothing more happens, quietly.
TEST_F(PreviousWallpaperTest, GoingBackWalksTheChangesNewestFirstToTheStartsWallpaper) {
  Apply(1);
  Apply(2);
  Apply(3);
  Back();
  EXPECT_EQ(Main().Caption(), "Fondex2 : " + Wall(2));
  Back();
  Back();
  EXPECT_EQ(Main().EditChoisiBMP.Text(), Wall(0));
  Back();
  EXPECT_THAT(Requests(), ElementsAre(Wall(1), Wall(2), Wall(3), Wall(2), Wall(1), Wall(0)));
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

// After going back, a change by any other way drops the steps gone back over.
TEST_F(PreviousWallpaperTest, AChangeAfterGoingBackStartsAfreshFromThere) {
  Apply(1);
  Apply(2);
  Apply(3);
  Back();
  Back();  // at w1
  Apply(4);
  Back();
  Back();
  Back();
  EXPECT_THAT(Requests(),
              ElementsAre(Wall(1), Wall(2), Wall(3), Wall(2), Wall(1), Wall(4), Wall(1), Wall(0)));
}

// A wallpaper gone since is reported as a typed name's would be, leaves the desktop plain, and is
// passed over the next time; the same wallpaper put twice in a row is one step.
TEST_F(PreviousWallpaperTest, AVanishedWallpaperIsReportedAndDroppedFromTheHistory) {
  Apply(1);
  Apply(2);
  Apply(2);
  Apply(3);
  fake.files.Remove(Wall(2));
  Back();
  EXPECT_THAT(BoxTexts(), ElementsAre("Le fichier " + Wall(2) + " est introuvable"));
  EXPECT_EQ(Main().Caption(), "Fondex2");
  Back();
  EXPECT_EQ(Main().CurrentWallpaper, Wall(1));
  Back();
  EXPECT_THAT(Requests(), ElementsAre(Wall(1), Wall(2), Wall(2), Wall(3), "", Wall(1), Wall(0)));
}

// From a plain desktop, or after another program's change, the first step back puts back the
// newest wallpaper the program put; a refused wallpaper keeps its place.
TEST_F(PreviousWallpaperTest, FromADesktopChangedElsewhereTheNewestComesBack) {
  Apply(1);
  Dispatch([&] { Main().BBtnNoWalpClick(); });
  Back();
  EXPECT_EQ(Main().CurrentWallpaper, Wall(1));

  Apply(2);
  fake.desktop.SimulateOutsideChange("c:\\fonds\\w5.bmp");
  fake.desktop.RefuseAll(true);
  Back();
  EXPECT_EQ(Main().CurrentWallpaper, "c:\\fonds\\w5.bmp");
  fake.desktop.RefuseAll(false);
  Back();
  EXPECT_EQ(Main().CurrentWallpaper, Wall(2));
}

TEST_F(PreviousWallpaperTest, TheHistoryKeepsTheFiftyNewest) {
  for (int i = 1; i <= 60; ++i) {
    Apply(i);
  }
  for (int i = 0; i < 60; ++i) {
    Back();
  }
  std::vector<std::string> back;
  for (int i = 59; i >= 11; --i) {
    back.push_back(Wall(i));
  }
  const std::vector<std::string> requests = Requests();
  EXPECT_THAT(std::vector<std::string>(requests.begin() + 60, requests.end()),
              ElementsAreArray(back));
}

// The command of a later start, and while a box is open only the window comes forward.
TEST_F(PreviousWallpaperTest, ALaterStartsPreviousGoesBackUnlessABoxIsOpen) {
  Apply(1);
  Dispatch([&] {
    Main().RunLaunchCommand(DecodeCommand(EncodeCommand({LaunchAction::kPrevious, "", ""})));
  });
  EXPECT_EQ(Main().CurrentWallpaper, Wall(0));

  int fronts = 0;
  Main().BroughtToFront.Connect([&] { ++fronts; });
  fake.modalHost.AnswerBox(1, [&] { Main().RunLaunchCommand({LaunchAction::kPrevious, "", ""}); });
  Dispatch([&] { Main().ApplyWallpaper("c:\\fonds\\absent"); });
  EXPECT_EQ(fronts, 1);
  EXPECT_EQ(Requests().size(), 3u);
}

}  // namespace
}  // namespace fondex::test
