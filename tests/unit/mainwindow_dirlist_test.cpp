#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"
#include "util/Paths.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DirListTest : public ProgramTest {
 protected:
  void SetUp() override {
    for (const char* directory : {"C:\\A", "C:\\B", "C:\\C"}) {
      fake.files.AddDirectory(directory);
    }
  }
};

TEST_F(DirListTest, LoadsDirectoriesWithTheirCountsWhateverTheLineEnds) {
  for (const char* text : {"c:\\a\r\nc:\\b\r\n12\r\n9999\r\n", "c:\\a\nc:\\b\n12\n9999",
                           "c:\\a\rc:\\b\r12\r9999\r", "c:\\a\r\nc:\\b\r\n12\r\n9999\r\n\0junk"}) {
    FakePlatform fresh;
    toolkit::Application freshApp{fresh.modalHost, fresh.help};
    FondexProgram freshProgram{freshApp, fresh.Platform()};
    fresh.files.AddDirectory("C:\\A");
    fresh.files.AddDirectory("C:\\B");
    fresh.files.AddFile(kDirFile, std::string(text, text + std::char_traits<char>::length(text)));
    freshProgram.Start();
    TFondexMainForm& form = freshProgram.MainForm();
    EXPECT_THAT(form.DirListeBox.Items(), ElementsAre("c:\\a", "c:\\b")) << text;
    EXPECT_EQ(form.DirCounts.Get(0), 12);
    EXPECT_EQ(form.DirCounts.Get(1), 9999);
    EXPECT_THAT(fresh.modalHost.Boxes(), IsEmpty());
  }
}

TEST_F(DirListTest, AnOddLineCountAddsTheLastLineWithCountZero) {
  fake.files.AddFile(kDirFile, "c:\\a\r\n5\r\nc:\\b");
  program.Start();
  EXPECT_THAT(Directories(), ElementsAre("c:\\a", "c:\\b"));
  EXPECT_THAT(Counts(), ElementsAre(5, 0));
}

TEST_F(DirListTest, SortsDropsDuplicatesAndMissingDirectoriesSilently) {
  fake.files.AddFile(kDirFile, "c:\\c\r\nc:\\gone\r\nC:\\A\r\nc:\\a\r\n3\r\n4\r\n1\r\n2\r\n");
  program.Start();
  // Counts pair with the file's positions; sorting and dropping move entries, not counts.
  EXPECT_THAT(Directories(), ElementsAre("C:\\A", "c:\\c"));
  EXPECT_THAT(BoxTexts(), IsEmpty());
  program.Finish();
  EXPECT_EQ(fake.files.Contents(kDirFile), "C:\\A\r\nc:\\c\r\n3\r\n4\r\n");
}

TEST_F(DirListTest, AccentedDirectoriesSortInFrenchAndCaseVariantsAreOne) {
  for (const char* directory : {"C:\\zèbre", "C:\\été", "C:\\ÉTÉ"}) {
    fake.files.AddDirectory(directory);
  }
  fake.files.AddFile(kDirFile, "c:\\zèbre\r\nc:\\été\r\nc:\\ÉTÉ\r\nc:\\b\r\n1\r\n2\r\n3\r\n4\r\n");
  program.Start();
  // Of one name in two cases the spelling that sorts first stays.
  EXPECT_THAT(Directories(), ElementsAre("c:\\b", "c:\\ÉTÉ", "c:\\zèbre"));
  program.Finish();
  EXPECT_EQ(fake.files.Contents(kDirFile), "c:\\b\r\nc:\\ÉTÉ\r\nc:\\zèbre\r\n1\r\n2\r\n3\r\n");
}

TEST_F(DirListTest, EmptyFilesAndEmptyLists) {
  fake.files.AddFile(kDirFile, "");
  program.Start();
  EXPECT_THAT(Directories(), IsEmpty());
  program.Finish();
  EXPECT_EQ(fake.files.Contents(kDirFile), "");
}

TEST_F(DirListTest, NoFileOrADirectoryOfThatNameGivesAnEmptyListWithoutAMessage) {
  fake.files.AddDirectory(kDirFile);
  program.Start();
  EXPECT_THAT(Directories(), IsEmpty());
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(DirListTest, RoundTripOfEveryListTheProgramBuilds) {
  program.Start();
  Dispatch([&] {
    Main().NouveauRep("C:\\B\\");
    Main().OpenDirectory(Main().NouveauRep("c:\\a"));
    Main().NouveauRep("C:\\C");
  });
  const auto directories = Directories();
  const auto counts = Counts();
  ASSERT_THAT(counts, ElementsAre(0, 9999, 9999));
  program.Finish();

  FakePlatform again;
  toolkit::Application againApp{again.modalHost, again.help};
  FondexProgram second{againApp, again.Platform()};
  for (const char* directory : {"C:\\A", "C:\\B", "C:\\C"}) {
    again.files.AddDirectory(directory);
  }
  again.files.AddFile(kDirFile, *fake.files.Contents(kDirFile));
  second.Start();
  EXPECT_EQ(second.MainForm().DirListeBox.Items(), directories);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(second.MainForm().DirCounts.Get(i), counts[static_cast<std::size_t>(i)]);
  }
}

TEST_F(DirListTest, BadCountsFailTheLoadButKeepTheDirectoriesUncounted) {
  for (const char* text : {"c:\\a\r\nc:\\b\r\n1\r\n-4\r\n", "c:\\a\r\nc:\\b\r\n1\r\n4x\r\n",
                           "c:\\a\r\nc:\\b\r\n1\r\n2147483648\r\n"}) {
    FakePlatform fresh;
    toolkit::Application freshApp{fresh.modalHost, fresh.help};
    FondexProgram freshProgram{freshApp, fresh.Platform()};
    fresh.files.AddDirectory("C:\\A");
    fresh.files.AddDirectory("C:\\B");
    fresh.files.AddFile(kDirFile, text);
    freshProgram.Start();
    ASSERT_EQ(fresh.modalHost.Boxes().size(), 1u) << text;
    EXPECT_EQ(fresh.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kError);
    EXPECT_EQ(freshProgram.Program().ProgramState, TProgramState::StateReady);
    EXPECT_THAT(freshProgram.MainForm().DirListeBox.Items(), ElementsAre("c:\\a", "c:\\b"));
    EXPECT_EQ(freshProgram.MainForm().DirCounts.Get(1), 9999);
  }
}

TEST_F(DirListTest, MoreDirectoriesThanTheTableHoldsFailTheLoad) {
  std::string text;
  for (int i = 0; i < 1002; ++i) {
    text += "c:\\a\r\n";
  }
  for (int i = 0; i < 1002; ++i) {
    text += "1\r\n";
  }
  fake.files.AddFile(kDirFile, text);
  program.Start();
  EXPECT_THAT(BoxTexts(), ElementsAre("Range check error."));
  EXPECT_THAT(Directories(), ElementsAre("c:\\a"));
  EXPECT_EQ(State(), TProgramState::StateReady);
}

TEST_F(DirListTest, AFailedWriteKeepsTheOldFileAndIsReported) {
  fake.files.AddFile(kDirFile, "c:\\a\r\n7\r\n");
  program.Start();
  Dispatch([&] { Main().NouveauRep("c:\\b"); });
  fake.files.MakeFail(FakeFileSystem::Operation::kWrite, kDirFile);
  program.Finish();
  EXPECT_EQ(fake.files.Contents(kDirFile), "c:\\a\r\n7\r\n");
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_NE(BoxTexts()[0].find(kDirFile), std::string::npos);
}

TEST_F(DirListTest, AnUnreadableFileFailsTheLoad) {
  fake.files.AddFile(kDirFile, "c:\\a\r\n7\r\n");
  fake.files.MakeFail(FakeFileSystem::Operation::kRead, kDirFile);
  program.Start();
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(State(), TProgramState::StateReady);
}

// One more run of the whole program, on a platform of its own.
struct SeparateRun {
  FakePlatform fake;
  toolkit::Application app{fake.modalHost, fake.help};
  FondexProgram program{app, fake.Platform()};

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : fake.modalHost.Boxes()) {
      texts.push_back(box.request.text);
    }
    return texts;
  }
};

TEST_F(DirListTest, EveryExistingDirectoryOfADamagedFileIsKept) {
  const struct {
    const char* damage;
    const char* text;
  } files[] = {
      {"cut in its counts", "c:\\a\r\nc:\\b\r\n2\r\n"},
      {"a count lost", "c:\\a\r\nc:\\b\r\nc:\\c\r\n1\r\n2\r\n"},
      {"an empty line added", "c:\\a\r\n\r\nc:\\b\r\n1\r\n"},
      {"two lists one after the other", "c:\\a\r\nc:\\b\r\n1\r\n2\r\nc:\\c\r\n3\r\n"},
      {"a garbled count", "c:\\c\r\nc:\\b\r\n1\r\nx2\r\nc:\\gone\r\n"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.damage);
    SeparateRun run;
    std::vector<std::string> named;
    for (const char* directory : {"C:\\A", "C:\\B", "C:\\C"}) {
      run.fake.files.AddDirectory(directory);
      const std::string lower = util::LowerAscii(directory);
      if (std::string(file.text).find(lower) != std::string::npos) {
        named.push_back(lower);
      }
    }
    run.fake.files.AddFile(kDirFile, file.text);
    run.program.Start();
    EXPECT_EQ(run.BoxTexts().size(), 1u);
    EXPECT_EQ(run.program.MainForm().DirListeBox.Items(), named);
    run.program.Finish();
    std::string saved;
    for (const std::string& directory : named) {
      saved += directory + "\r\n";
    }
    for (std::size_t i = 0; i < named.size(); ++i) {
      saved += "9999\r\n";
    }
    EXPECT_EQ(run.fake.files.Contents(kDirFile), saved);
  }
}

TEST_F(DirListTest, AFileTheListCouldNotTakeInIsNeverReplaced) {
  std::string overfull;
  for (int i = 0; i < 1002; ++i) {
    overfull += "c:\\d" + std::to_string(i) + "\r\n";
  }
  const struct {
    const char* fault;
    std::string text;
    bool unreadable;
  } faults[] = {{"unreadable", "c:\\a\r\nc:\\b\r\n1\r\n2\r\n", true},
                {"more directories than the list holds", overfull + "1\r\n", false}};
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.fault);
    SeparateRun run;
    for (int i = 0; i < 1002; ++i) {
      run.fake.files.AddDirectory("C:\\D" + std::to_string(i));
    }
    run.fake.files.AddFile(kDirFile, fault.text);
    if (fault.unreadable) {
      run.fake.files.MakeFail(FakeFileSystem::Operation::kRead, kDirFile);
    }
    run.program.Start();
    run.program.Finish();
    EXPECT_EQ(run.fake.files.Contents(kDirFile), fault.text);
    ASSERT_EQ(run.BoxTexts().size(), 2u);
    EXPECT_NE(run.BoxTexts().back().find(kDirFile), std::string::npos);
  }
}

TEST_F(DirListTest, AnUnreadFileThatIsGoneIsWrittenAfresh) {
  fake.files.AddFile(kDirFile, "c:\\a\r\n7\r\n");
  fake.files.MakeFail(FakeFileSystem::Operation::kRead, kDirFile);
  program.Start();
  fake.files.Remove(kDirFile);
  Dispatch([&] { Main().NouveauRep("c:\\c"); });
  program.Finish();
  EXPECT_EQ(fake.files.Contents(kDirFile), "c:\\c\r\n9999\r\n");
}

}  // namespace
}  // namespace fondex::test
