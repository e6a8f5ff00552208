#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "unit/ProgramFixture.h"
#include "unit/engine_draws.h"
#include "unit/techniques_fixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kNoDirectory = "Pas de répertoire utilisable !";
constexpr const char* kNoWallpaper = "Pas de papier peint disponible dans le répertoire !";

std::string Missing(const std::string& directory) {
  return "Le répertoire " + directory + " est introuvable";
}

TEST(RandomGeneratorTest, DrawsFollowTheFormulaFromSeedZero) {
  RandomGenerator generator;
  EXPECT_EQ(generator.Seed(), 0u);
  EXPECT_EQ(generator.Draw(10), 0u);
  EXPECT_EQ(generator.Seed(), 1u);
  EXPECT_EQ(generator.Draw(1000), 31u);
  EXPECT_EQ(generator.Seed(), 134775814u);
  EXPECT_EQ(generator.Draw(40), 34u);
  EXPECT_EQ(generator.Seed(), 3698175007u);

  generator.SetSeed(3723004);
  EXPECT_EQ(generator.Draw(4), 2u);
  EXPECT_EQ(generator.Draw(4), 1u);
  EXPECT_EQ(generator.Draw(4), 2u);
  EXPECT_EQ(generator.Seed(), 3078884651u);

  // The product keeps all 64 bits before its upper half is taken.
  generator.SetSeed(0xFFFFFFFFu);
  EXPECT_EQ(generator.Draw(0xFFFFFFFFu), 4160191483u);
  EXPECT_EQ(generator.Draw(0), 0u);

  // The tests' own working of the formula agrees with the same figures.
  FormulaDraws oracle(0);
  EXPECT_EQ(oracle.Next(1000), 0u);
  EXPECT_EQ(oracle.Next(1000), 31u);
  EXPECT_EQ(oracle.Next(1000), 861u);
}

TEST_F(TechniquesTest, EveryChangeSeedsItsDrawsFromTheMillisecondsSinceMidnight) {
  AddABC();
  StartOn("", THasardTech::HasardDsRep, THasardLieu::RepHasard);

  // Seed 0: the draws over 3 directories and then 3 files both give 0.
  Quiet({0, 0, 0, 0});
  EXPECT_EQ(Wallpaper(), "c:\\a\\a1.bmp");
  EXPECT_EQ(Main().Random.Seed(), 134775814u);

  // 01:02:03.004 is seed 3723004: directory 1 of 3, then file 0 of 2.
  Quiet({1, 2, 3, 4});
  EXPECT_EQ(Wallpaper(), "c:\\b\\b1.bmp");
  EXPECT_EQ(Main().Random.Seed(), 1196956322u);

  // Back at midnight the same draws come again: the seed does not carry over.
  Quiet({0, 0, 0, 0});
  EXPECT_EQ(Wallpaper(), "c:\\a\\a1.bmp");
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

// Directories counted 10, 0 and 5; the second holds files all the same.
class GlobalTest : public TechniquesTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\D", {"f0.bmp", "f1.bmp", "f2.bmp", "f3.bmp", "f4.bmp", "f5.bmp", "f6.bmp",
                         "f7.bmp", "f8.bmp", "f9.bmp"});
    AddBitmaps("C:\\E", {"e0.bmp", "e1.bmp"});
    AddBitmaps("C:\\F", {"g0.bmp", "g1.bmp", "g2.bmp", "g3.bmp", "g4.bmp"});
    List({{"c:\\d", 10}, {"c:\\e", 0}, {"c:\\f", 5}});
  }
};

TEST_F(GlobalTest, DrawsWeighTheCountsAndNeverReachADirectoryCountedZero) {
  StartOn("", THasardTech::HasardGlobal, THasardLieu::RepSucc);
  for (std::uint32_t draw = 0; draw < 16; ++draw) {
    Quiet(TimeForDraws({{16, draw}}));
    std::string expected;
    if (draw < 10) {
      expected = "c:\\d\\f" + std::to_string(draw) + ".bmp";
    } else {
      // Draw 15 falls in the weight of the directory counted 0 and goes to the last one.
      expected = "c:\\f\\g" + std::to_string(std::min(draw - 10, 4u)) + ".bmp";
    }
    EXPECT_EQ(Wallpaper(), expected) << "draw " << draw;
  }
  EXPECT_THAT(Counts(), ElementsAre(10, 0, 5));
  EXPECT_EQ(Main().TotalCount, 16);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(GlobalTest, AStaleCountIsClampedToTheFilesThatAreThere) {
  fake.files.Remove("C:\\D\\f4.bmp");
  fake.files.Remove("C:\\D\\f9.bmp");
  StartOn("", THasardTech::HasardGlobal, THasardLieu::RepActif);
  Quiet(TimeForDraws({{16, 9}}));
  EXPECT_EQ(Wallpaper(), "c:\\d\\f8.bmp");
  EXPECT_THAT(Counts(), ElementsAre(8, 0, 5));
}

TEST_F(GlobalTest, AMissingDirectoryIsDroppedWithItsWarningAndTheDrawIsMadeAgain) {
  StartOn("", THasardTech::HasardGlobal, THasardLieu::RepHasard);
  fake.files.Remove("C:\\D");
  // Directory d first; then 1 + 5 over what is left: 2 goes to f.
  Quiet(TimeForDraws({{16, 3}, {6, 2}}));
  EXPECT_THAT(BoxTexts(), ElementsAre(Missing("c:\\d")));
  EXPECT_THAT(Directories(), ElementsAre("c:\\e", "c:\\f"));
  EXPECT_EQ(Wallpaper(), "c:\\f\\g2.bmp");
  EXPECT_THAT(Counts(), ElementsAre(0, 5));
}

TEST_F(TechniquesTest, GlobalWithEveryCountAtZeroAlwaysTakesTheLastDirectory) {
  AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
  AddBitmaps("C:\\B", {"b1.bmp", "b2.bmp"});
  AddBitmaps("C:\\C", {"c1.bmp"});
  List({{"c:\\a", 0}, {"c:\\b", 0}, {"c:\\c", 0}});
  StartOn("", THasardTech::HasardGlobal, THasardLieu::RepActif);
  for (std::uint32_t draw = 0; draw < 3; ++draw) {
    Quiet(TimeForDraws({{3, draw}}));
    EXPECT_EQ(Wallpaper(), "c:\\c\\c1.bmp") << "draw " << draw;
  }
  EXPECT_THAT(Counts(), ElementsAre(0, 0, 1));
}

TEST_F(TechniquesTest, RandomDirectoryThenRandomFile) {
  AddABC();
  StartOn("", THasardTech::HasardDsRep, THasardLieu::RepHasard);
  Quiet(TimeForDraws({{3, 1}, {2, 1}}));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");

  // A directory without wallpapers is kept to: nothing changes, and only a click says so.
  AddEmptyDirectory("C:\\V");
  const platform::SystemTime toEmpty = TimeForDraws({{4, 3}});
  Quiet(toEmpty);
  EXPECT_THAT(BoxTexts(), IsEmpty());
  Click(toEmpty);
  ASSERT_THAT(BoxTexts(), ElementsAre(kNoWallpaper));
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kInformation);
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");
  EXPECT_EQ(Requests(), 1u);
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 3);
}

TEST_F(TechniquesTest, RandomInTheSelectedDirectoryOrElseTheFirstThatExists) {
  AddABC();
  StartOn("", THasardTech::HasardDsRep, THasardLieu::RepActif);
  Dispatch([&] { Main().DirListeBox.UserSelect(1); });
  Quiet(TimeForDraws({{2, 1}}));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");

  // Nothing selected: the first directory is gone, so the next one is used.
  Main().DirListeBox.SetItemIndex(-1);
  fake.files.Remove("C:\\A");
  Quiet(TimeForDraws({{2, 0}}));
  EXPECT_THAT(BoxTexts(), ElementsAre(Missing("c:\\a")));
  EXPECT_THAT(Directories(), ElementsAre("c:\\b", "c:\\c"));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b1.bmp");
}

TEST_F(TechniquesTest, RandomInEachDirectoryInTurn) {
  AddABC();
  StartOn("", THasardTech::HasardDsRep, THasardLieu::RepSucc);
  ASSERT_EQ(Main().DirListeBox.ItemIndex(), 0);
  Quiet(TimeForDraws({{2, 1}}));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b2.bmp");
  Quiet(TimeForDraws({{1, 0}}));
  EXPECT_EQ(Wallpaper(), "c:\\c\\c1.bmp");
  // After the last directory comes the first.
  Quiet(TimeForDraws({{3, 2}}));
  EXPECT_EQ(Wallpaper(), "c:\\a\\a3.bmp");
  // A directory gone from the disk is stepped over.
  fake.files.Remove("C:\\B");
  Quiet();
  EXPECT_THAT(BoxTexts(), ElementsAre(Missing("c:\\b")));
  EXPECT_EQ(Wallpaper(), "c:\\c\\c1.bmp");
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\c"));
}

TEST_F(TechniquesTest, SuccessiveInTheSelectedDirectoryWrapsAndReappliesALoneFile) {
  AddABC();
  StartOn("c:\\a\\a2.bmp", THasardTech::Successif, THasardLieu::RepActif);
  Quiet();
  EXPECT_EQ(Wallpaper(), "c:\\a\\a3.bmp");
  Quiet();
  EXPECT_EQ(Wallpaper(), "c:\\a\\a1.bmp");

  // A directory just clicked starts at its first file; a lone file is applied every time.
  Dispatch([&] { Main().DirListeBox.UserSelect(2); });
  for (int change = 0; change < 3; ++change) {
    Quiet();
  }
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\a\\a3.bmp", "c:\\a\\a1.bmp", "c:\\c\\c1.bmp", "c:\\c\\c1.bmp",
                          "c:\\c\\c1.bmp"));
  Dispatch([&] { Main().DirListeBox.UserSelect(1); });
  Quiet();
  EXPECT_EQ(Wallpaper(), "c:\\b\\b1.bmp");

  // An empty file list: nothing, and a message only for a click.
  AddEmptyDirectory("C:\\V");
  Dispatch([&] { Main().DirListeBox.UserSelect(3); });
  Quiet();
  EXPECT_THAT(BoxTexts(), IsEmpty());
  Click();
  EXPECT_THAT(BoxTexts(), ElementsAre(kNoWallpaper));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b1.bmp");
}

TEST_F(TechniquesTest, SuccessiveInARandomDirectoryDrawsOnlyWhenTheDirectoryIsUsedUp) {
  AddABC();
  StartOn("c:\\a\\a2.bmp", THasardTech::Successif, THasardLieu::RepHasard);
  Quiet(TimeForDraws({{3, 2}}));  // a draw that would go elsewhere is not made
  EXPECT_EQ(Wallpaper(), "c:\\a\\a3.bmp");
  // The same directory drawn again restarts at its first file.
  Quiet(TimeForDraws({{3, 0}}));
  EXPECT_EQ(Wallpaper(), "c:\\a\\a1.bmp");
  Quiet();
  Quiet();
  Quiet(TimeForDraws({{3, 1}}));
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\a\\a3.bmp", "c:\\a\\a1.bmp", "c:\\a\\a2.bmp", "c:\\a\\a3.bmp",
                          "c:\\b\\b1.bmp"));
}

TEST_F(TechniquesTest, SuccessiveThroughAllDirectoriesMovesToTheFirstThatExists) {
  AddABC();
  StartOn("c:\\c\\c1.bmp", THasardTech::Successif, THasardLieu::RepSucc);
  fake.files.Remove("C:\\A");
  Quiet();
  EXPECT_THAT(BoxTexts(), ElementsAre(Missing("c:\\a")));
  EXPECT_EQ(Wallpaper(), "c:\\b\\b1.bmp");
  Quiet();
  Quiet();
  Quiet();
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\b\\b1.bmp", "c:\\b\\b2.bmp", "c:\\c\\c1.bmp", "c:\\b\\b1.bmp"));
  EXPECT_THAT(BoxTexts(), ElementsAre(Missing("c:\\a")));
}

struct Technique {
  THasardTech tech;
  THasardLieu lieu;
};

constexpr Technique kSevenTechniques[] = {
    {THasardTech::HasardGlobal, THasardLieu::RepActif},
    {THasardTech::HasardDsRep, THasardLieu::RepHasard},
    {THasardTech::HasardDsRep, THasardLieu::RepActif},
    {THasardTech::HasardDsRep, THasardLieu::RepSucc},
    {THasardTech::Successif, THasardLieu::RepHasard},
    {THasardTech::Successif, THasardLieu::RepSucc},
    {THasardTech::Successif, THasardLieu::RepActif},
};

TEST_F(TechniquesTest, WithNothingListedOnlyAClickSpeaks) {
  program.Start();
  ASSERT_THAT(Directories(), IsEmpty());
  for (const Technique& technique : kSevenTechniques) {
    Use(technique.tech, technique.lieu);
    const std::size_t before = BoxTexts().size();
    Quiet();
    Dispatch([&] { Main().BBtnHasardClick(&Main().FichListeBox); });
    Dispatch([&] { Main().BBtnHasardClick(&Options()); });
    EXPECT_EQ(BoxTexts().size(), before);
    Click();
    const bool hasDirectoryStep =
        !(technique.tech == THasardTech::Successif && technique.lieu == THasardLieu::RepActif);
    ASSERT_EQ(BoxTexts().size(), before + 1);
    EXPECT_EQ(BoxTexts().back(), hasDirectoryStep ? kNoDirectory : kNoWallpaper);
    EXPECT_EQ(fake.modalHost.Boxes().back().request.kind, hasDirectoryStep
                                                              ? toolkit::MessageKind::kWarning
                                                              : toolkit::MessageKind::kInformation);
  }
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

TEST_F(TechniquesTest, EveryDirectoryGoneGivesOneNoUsableDirectoryPerChange) {
  AddABC();
  program.Start();
  AddEmptyDirectory("C:\\V");
  // An empty file list, so that no stale file can be chosen once the directories are gone.
  Dispatch([&] { Main().DirListeBox.UserSelect(3); });
  for (const char* directory : {"C:\\A", "C:\\B", "C:\\C", "C:\\V"}) {
    fake.files.Remove(directory);
  }
  for (const Technique& technique : kSevenTechniques) {
    if (technique.tech == THasardTech::Successif && technique.lieu == THasardLieu::RepActif) {
      continue;
    }
    for (const int selected : {-1, 0, 3}) {
      if (technique.lieu == THasardLieu::RepActif && selected != -1 &&
          technique.tech == THasardTech::HasardDsRep) {
        continue;  // a selected directory is used without being looked at
      }
      Use(technique.tech, technique.lieu);
      for (const char* entry : {"c:\\a", "c:\\b", "c:\\c", "c:\\v"}) {
        Main().NouveauRep(entry);
      }
      Main().DirListeBox.SetItemIndex(selected);
      const std::size_t before = BoxTexts().size();
      Click();
      std::vector<std::string> texts = BoxTexts();
      texts.erase(texts.begin(), texts.begin() + static_cast<long>(before));
      ASSERT_EQ(texts.size(), 5u) << static_cast<int>(technique.tech) << " "
                                  << static_cast<int>(technique.lieu) << " " << selected;
      EXPECT_EQ(std::count(texts.begin(), texts.end(), kNoDirectory), 1);
      EXPECT_EQ(texts.back(), kNoDirectory);
      EXPECT_THAT(Directories(), IsEmpty());
    }
  }
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

TEST_F(TechniquesTest, NoFileIsTakenFromAFileListWhoseDirectoriesAllWentAway) {
  AddABC();
  program.Start();
  Dispatch([&] { Main().DirListeBox.UserSelect(0); });
  ASSERT_EQ(Main().FichListeBox.Count(), 3);
  for (const char* directory : {"C:\\A", "C:\\B", "C:\\C"}) {
    fake.files.Remove(directory);
  }
  Use(THasardTech::HasardDsRep, THasardLieu::RepHasard);
  Click();
  const std::vector<std::string> texts = BoxTexts();
  EXPECT_EQ(texts.back(), kNoDirectory);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), kNoDirectory), 1);
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

}  // namespace
}  // namespace fondex::test
