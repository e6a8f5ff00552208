#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "mainwindow/CommandLine.h"
#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A folder of three wallpapers, the first on the desktop, changes one after the other.
class LaunchTest : public ProgramTest {
 protected:
  void StartWithFolder() {
    AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
    fake.files.AddFile(kDirFile, "c:\\a\r\n3\r\n");
    SetWallpaperEntry("c:\\a\\a1.bmp");
    Start();
    Options().SetHasardTech(THasardTech::Successif);
    Options().SetHasardLieu(THasardLieu::RepActif);
  }
  void Start() {
    program.Start();
    Main().Show();
    Main().BroughtToFront.Connect([this] { ++fronts; });
  }
  void Run(const LaunchCommand& command) {
    Dispatch([&] { Main().RunLaunchCommand(command); });
  }

  int fronts = 0;
};

struct Outcome {
  LaunchCommand command;
  std::vector<std::string> requests;  // to the desktop
  std::string nameBox;
  std::vector<std::string> boxes;
  bool broughtToFront = false;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
  *out << EncodeCommand(outcome.command);
}

class EachCommand : public LaunchTest, public ::testing::WithParamInterface<Outcome> {};

// Each command does what the user's key or typed name does, and only --show brings the
// minimized window back.
TEST_P(EachCommand, RunsAsTheUsersKeyOrTypedName) {
  const Outcome& expected = GetParam();
  StartWithFolder();
  app.Minimize();
  Run(expected.command);
  EXPECT_THAT(fake.desktop.Requests(), ElementsAreArray(expected.requests));
  EXPECT_EQ(Main().EditChoisiBMP.Text(), expected.nameBox);
  EXPECT_THAT(BoxTexts(), ElementsAreArray(expected.boxes));
  EXPECT_EQ(fronts, expected.broughtToFront ? 1 : 0);
  EXPECT_EQ(app.Minimized(), !expected.broughtToFront);
  EXPECT_TRUE(Main().Visible());
}

// Filled field by field: GCC 12 at -O3 takes the strings of brace-built temporaries of this
// aggregate for maybe uninitialised.
Outcome Expect(LaunchAction action, const char* file, std::vector<std::string> requests,
               const char* nameBox, std::vector<std::string> boxes, bool broughtToFront) {
  Outcome outcome;
  outcome.command.action = action;
  outcome.command.file = file;
  outcome.requests = std::move(requests);
  outcome.nameBox = nameBox;
  outcome.boxes = std::move(boxes);
  outcome.broughtToFront = broughtToFront;
  return outcome;
}

std::vector<Outcome> CommandOutcomes() {
  return {Expect(LaunchAction::kNext, "", {"c:\\a\\a2.bmp"}, "c:\\a\\a2.bmp", {}, false),
          Expect(LaunchAction::kPlain, "", {""}, "", {}, false),
          Expect(LaunchAction::kSet, "C:\\A\\A3", {"c:\\a\\a3.bmp"}, "c:\\a\\a3.bmp", {}, false),
          // The same message as a name typed in the box.
          Expect(LaunchAction::kSet, "C:\\A\\parti.bmp", {""}, "",
                 {"Le fichier c:\\a\\parti.bmp est introuvable"}, false),
          Expect(LaunchAction::kShow, "", {}, "c:\\a\\a1.bmp", {}, true)};
}

INSTANTIATE_TEST_SUITE_P(Commands, EachCommand, ::testing::ValuesIn(CommandOutcomes()));

TEST_F(LaunchTest, WhileAModalWindowIsOpenACommandOnlyBringsTheWindowForward) {
  StartWithFolder();
  const std::vector<LaunchCommand> commands = {{LaunchAction::kNext, "", ""},
                                               {LaunchAction::kPlain, "", ""},
                                               {LaunchAction::kSet, "c:\\a\\a3.bmp", ""}};
  // A box of the program: the missing file of a typed name.
  fake.modalHost.AnswerBox(1, [&] {
    for (const LaunchCommand& command : commands) {
      Run(command);
    }
  });
  Run({LaunchAction::kSet, "c:\\a\\parti", ""});
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(fronts, 3);

  // The options dialog.
  fake.modalHost.ScriptModal([&](toolkit::Form&) { Run({LaunchAction::kNext, "", ""}); });
  Dispatch([&] { Main().BBtnOptions.Click(); });
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre(""));
  EXPECT_EQ(fronts, 4);

  // Closed again, the commands run.
  Run({LaunchAction::kNext, "", ""});
  EXPECT_EQ(fake.desktop.Requests().size(), 2u);
}

// The launcher's token is there for the window while it comes to the front, then gone; with a
// box open, the command that only brings the window forward carries it too.
TEST_F(LaunchTest, TheLaunchersTokenGoesWithTheWindowBroughtToTheFront) {
  StartWithFolder();
  std::vector<std::string> tokens;
  Main().BroughtToFront.Connect([&] { tokens.push_back(Main().ActivationToken()); });
  Run({LaunchAction::kShow, "", "jeton-1"});
  fake.modalHost.AnswerBox(1, [&] { Run({LaunchAction::kNext, "", "jeton-2"}); });
  Run({LaunchAction::kSet, "c:\\a\\parti", ""});
  Run({LaunchAction::kShow, "", ""});
  EXPECT_THAT(tokens, ElementsAre("jeton-1", "jeton-2", ""));
  EXPECT_EQ(Main().ActivationToken(), "");
}

TEST_F(LaunchTest, OnAFirstStartNextFindsNothingQuietlyAndSetListsTheWallpapersFolder) {
  AddBitmaps("C:\\B", {"b1.bmp"});
  Start();
  Run({LaunchAction::kNext, "", ""});
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
  EXPECT_THAT(BoxTexts(), IsEmpty());

  Run({LaunchAction::kSet, "C:\\B\\b1.bmp", ""});
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\b\\b1.bmp"));
  EXPECT_THAT(Directories(), ElementsAre("c:\\b"));
}

}  // namespace
}  // namespace fondex::test
