#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/Error.h"
#include "unit/ProgramFixture.h"
#include "util/Paths.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DirectoriesTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\A", {"1.bmp", "2.bmp", "3.bmp"});
    AddBitmaps("C:\\C", {"1.bmp"});
    AddBitmaps("C:\\E", {});
    fake.files.AddFile(kDirFile, "c:\\a\r\nc:\\c\r\nc:\\e\r\n3\r\n1\r\n0\r\n");
    program.Start();
  }
};

TEST_F(DirectoriesTest, ANewDirectoryIsUncountedAndShiftsTheCountsAfterIt) {
  fake.files.AddDirectory("C:\\B");
  int index = -1;
  Dispatch([&] { index = Main().NouveauRep("C:\\B\\"); });
  EXPECT_EQ(index, 1);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\c", "c:\\e"));
  EXPECT_THAT(Counts(), ElementsAre(3, 9999, 1, 0));
}

TEST_F(DirectoriesTest, AListedDirectoryKeepsItsPlaceAndCount) {
  int index = -1;
  Dispatch([&] { index = Main().NouveauRep("C:\\C\\"); });
  EXPECT_EQ(index, 1);
  EXPECT_THAT(Counts(), ElementsAre(3, 1, 0));
  EXPECT_EQ(Main().NouveauRep(""), -1);
  EXPECT_EQ(Main().NouveauRep(" "), -1);
  EXPECT_EQ(Main().AddDirectoryOfFile("C:\\A\\1.bmp"), 0);
  EXPECT_EQ(Directories().size(), 3u);
}

TEST_F(DirectoriesTest, ANameOverSeveralLinesIsWarnedAndNeverListed) {
  for (const std::string name : {"c:\\b\n3", "c:\\b\r\\c", "c:\\b\r\n"}) {
    fake.files.AddDirectory(name);
    int index = 0;
    Dispatch([&] { index = Main().NouveauRep(name); });
    EXPECT_EQ(index, -1);
  }
  ASSERT_EQ(fake.modalHost.Boxes().size(), 3u);
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.text,
            "Le nom du répertoire c:\\b\n3 tient sur plusieurs lignes : il n'est pas ajouté à la "
            "liste");
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\c", "c:\\e"));
  EXPECT_THAT(Counts(), ElementsAre(3, 1, 0));
}

TEST_F(DirectoriesTest, AnEntryDifferingOnlyInCaseIsReplacedByItsLowerCaseForm) {
  FakePlatform fresh;
  toolkit::Application freshApp{fresh.modalHost, fresh.help};
  FondexProgram other{freshApp, fresh.Platform()};
  fresh.files.AddDirectory("C:\\IMAGES");
  fresh.files.AddDirectory("C:\\ZED");
  fresh.files.AddFile(kDirFile, "C:\\IMAGES\r\nc:\\zed\r\n4\r\n6\r\n");
  other.Start();
  EXPECT_EQ(other.MainForm().NouveauRep("C:\\Images\\"), 0);
  EXPECT_THAT(other.MainForm().DirListeBox.Items(), ElementsAre("c:\\images", "c:\\zed"));
  EXPECT_EQ(other.MainForm().DirCounts.Get(0), 4);
  EXPECT_EQ(other.MainForm().DirCounts.Get(1), 6);
}

// A directory added in other letter cases, accented capitals included, is the one listed.
TEST_F(DirectoriesTest, AccentedDirectoriesTakeTheirFrenchPlacesAndKeepTheirCounts) {
  fake.files.AddDirectory("C:\\été");
  fake.files.AddDirectory("C:\\ÉTÉ");
  fake.files.AddDirectory("C:\\ete");
  int index = -1;
  Dispatch([&] { index = Main().NouveauRep("C:\\été"); });
  EXPECT_EQ(index, 3);
  Dispatch([&] { index = Main().NouveauRep("C:\\ete\\"); });
  EXPECT_EQ(index, 3);
  Dispatch([&] { index = Main().NouveauRep("C:\\ÉTÉ\\"); });
  EXPECT_EQ(index, 4);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\c", "c:\\e", "c:\\ete", "c:\\ÉtÉ"));
  EXPECT_THAT(Counts(), ElementsAre(3, 1, 0, 9999, 9999));
}

TEST_F(DirectoriesTest, OpeningListsSelectsAndCounts) {
  fake.files.AddFile("C:\\C\\2.BMP", "BM");
  fake.files.AddFile("C:\\C\\notes.txt", "");
  fake.files.AddFile("C:\\C\\cache.bmp", "BM", platform::kArchive | platform::kHidden);
  bool opened = false;
  Dispatch([&] { opened = Main().OpenDirectory(1); });
  EXPECT_TRUE(opened);
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 1);
  EXPECT_THAT(Main().FichListeBox.Items(), ElementsAre("1.bmp", "2.BMP"));
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 0));
  EXPECT_EQ(util::LowerAscii(fake.files.GetCurrentDirectory()), "c:\\c");

  // The directory shown already is not listed again: its count stays as the list shows it.
  fake.files.AddFile("C:\\C\\3.bmp", "BM");
  Dispatch([&] { Main().OpenDirectory(1); });
  EXPECT_EQ(Main().FichListeBox.Count(), 2);
  EXPECT_THAT(Counts(), ElementsAre(3, 2, 0));
}

TEST_F(DirectoriesTest, AMissingDirectoryIsWarnedAndRemovedWithItsCount) {
  fake.files.Remove("C:\\C");
  bool opened = true;
  Dispatch([&] { opened = Main().OpenDirectory(1); });
  EXPECT_FALSE(opened);
  EXPECT_THAT(BoxTexts(), ElementsAre("Le répertoire c:\\c est introuvable"));
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kWarning);
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\e"));
  EXPECT_THAT(Counts(), ElementsAre(3, 0));
  EXPECT_EQ(Main().DirCounts.Get(2), 0);
  EXPECT_FALSE(Main().OpenDirectory(-1));
}

TEST_F(DirectoriesTest, TheRemovalFollowsTheEntryWhenTheListMovesDuringTheWarning) {
  fake.files.Remove("C:\\C");
  fake.files.AddDirectory("C:\\B");
  fake.modalHost.AnswerBox(2, [&] { Main().NouveauRep("c:\\b"); });
  Dispatch([&] { Main().OpenDirectory(1); });
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b", "c:\\e"));
  EXPECT_THAT(Counts(), ElementsAre(3, 9999, 0));
}

TEST_F(DirectoriesTest, RemovingMovesTheSelectionAndTheCounts) {
  Main().DirListeBox.SetItemIndex(2);
  Main().RemoveDirectoryEntry(2);
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 1);
  EXPECT_THAT(Counts(), ElementsAre(3, 1));
  Main().DirListeBox.SetItemIndex(0);
  Main().RemoveDirectoryEntry(0);
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  Main().RemoveDirectoryEntry(0);
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), -1);
  for (int i = 0; i < DirCountTable::kSize; ++i) {
    ASSERT_EQ(Main().DirCounts.Get(i), 0) << i;
  }
}

TEST_F(DirectoriesTest, AFullListRefusesANewDirectoryAndStaysInStep) {
  for (int i = 0; Directories().size() < 1001; ++i) {
    Main().NouveauRep("c:\\d" + std::to_string(i));
  }
  int index = 0;
  Dispatch([&] { index = Main().NouveauRep("c:\\zz"); });
  EXPECT_EQ(index, -1);
  EXPECT_EQ(Directories().size(), 1001u);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kWarning);
  EXPECT_EQ(Main().NouveauRep("C:\\A"), 0);  // a listed one is still found

  Main().RemoveDirectoryEntry(1000);
  EXPECT_EQ(Main().DirCounts.Get(1000), 0);
}

TEST_F(DirectoriesTest, AnEntryWithATrailingBackslashIsTheOneOpenedAndCounted) {
  FakePlatform fresh;
  toolkit::Application freshApp{fresh.modalHost, fresh.help};
  FondexProgram other{freshApp, fresh.Platform()};
  fresh.files.AddDirectory("C:\\A");
  fresh.files.AddFile("C:\\A\\x.bmp", "BM");
  fresh.files.AddFile(kDirFile, "c:\\a\\\r\n7\r\n");
  other.Start();
  ASSERT_THAT(other.MainForm().DirListeBox.Items(), ElementsAre("c:\\a\\"));
  EXPECT_TRUE(other.MainForm().OpenDirectory(0));
  EXPECT_EQ(other.MainForm().DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(other.MainForm().DirCounts.Get(0), 1);
}

TEST_F(DirectoriesTest, CountIndexesAndValuesAreChecked) {
  EXPECT_THROW(Main().DirCounts.Get(1001), Error);
  EXPECT_THROW(Main().DirCounts.Get(-1), Error);
  EXPECT_THROW(Main().DirCounts.Set(0, -1), Error);
  EXPECT_THROW(Main().DirCounts.Set(0, 2147483648LL), Error);
  EXPECT_NO_THROW(Main().DirCounts.Set(1000, 2147483647LL));
}

}  // namespace
}  // namespace fondex::test
