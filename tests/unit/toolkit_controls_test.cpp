#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Error.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/Timer.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;

TEST(ListBoxTest, SortsIgnoringCaseAndTheSelectionFollowsItsItem) {
  FakeCollation names;
  toolkit::ListBox list("list", nullptr, names);
  list.SetSorted(true);
  list.Add("c:\\mer");
  list.Add("C:\\Foret");
  list.SetItemIndex(1);
  EXPECT_EQ(list.Add("c:\\alpes"), 0);
  EXPECT_THAT(list.Items(), ElementsAre("c:\\alpes", "C:\\Foret", "c:\\mer"));
  EXPECT_EQ(list.Item(list.ItemIndex()), "c:\\mer");
  list.Delete(0);
  EXPECT_EQ(list.Item(list.ItemIndex()), "c:\\mer");
  list.Delete(1);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_THROW(list.Item(5), Error);
  EXPECT_EQ(list.IndexOf("C:\\FORET"), 0);
}

TEST(ListBoxTest, SwitchingSortingOnSortsWhateverWasAdded) {
  for (const auto& texts : {std::vector<std::string>{"b", "d", "f", "a"},
                            std::vector<std::string>{"f", "B", "d", "a"}}) {
    FakeCollation names;
    toolkit::ListBox list("list", nullptr, names);
    for (const std::string& text : texts) {
      list.Add(text);
    }
    list.SetItemIndex(2);
    const std::string selected = list.Item(2);
    list.SetSorted(true);
    EXPECT_TRUE(
        std::is_sorted(list.Items().begin(), list.Items().end(), toolkit::NameOrder{names}));
    EXPECT_EQ(list.Item(list.ItemIndex()), selected);
  }
}

TEST(FileListBoxTest, AccentedNamesSortWithTheirBaseLetters) {
  FakeFileSystem files;
  files.AddDirectory("C:\\Images");
  for (const char* name : {"zèbre.bmp", "Été.bmp", "ete.bmp", "abc.BMP"}) {
    files.AddFile(std::string("C:\\Images\\") + name);
  }
  FakeCollation names;
  toolkit::FileListBox list("files", nullptr, files, names);
  list.mask = "*.BMP";
  ASSERT_TRUE(list.SetDirectory("C:\\Images"));
  EXPECT_THAT(list.Items(), ElementsAre("abc.BMP", "ete.bmp", "Été.bmp", "zèbre.bmp"));
  EXPECT_EQ(list.IndexOf("ÉTÉ.BMP"), 2);
}

// Several patterns: one search of the folder, each name kept when any pattern matches it whole,
// letter case ignored; a new mask lists the folder again.
TEST(FileListBoxTest, AMaskOfSeveralPatternsListsTheFolderOnce) {
  FakeFileSystem files;
  files.AddDirectory("C:\\Photos");
  for (const char* name : {"a.JPG", "b.jpeg", "c.png.bak", "d.bak.png", "e.webpx", "f", "g.bmp",
                           "h.JpEg", "i.txt", ".png"}) {
    files.AddFile(std::string("C:\\Photos\\") + name);
  }
  files.AddDirectory("C:\\Photos\\dossier.png");
  files.AddFile("C:\\Photos\\cache.png", "", platform::kArchive | platform::kHidden);
  FakeCollation names;
  toolkit::FileListBox list("files", nullptr, files, names);
  list.mask = "*.BMP";
  ASSERT_TRUE(list.SetDirectory("C:\\Photos"));
  EXPECT_THAT(list.Items(), ElementsAre("g.bmp"));
  const int searches = files.FindEntriesCalls();
  list.SetMask("*.jpg;*.jpeg;*.png;*.webp;?");
  EXPECT_EQ(files.FindEntriesCalls(), searches + 1);
  EXPECT_THAT(list.Items(), ElementsAre(".png", "a.JPG", "b.jpeg", "d.bak.png", "f", "h.JpEg"));
  list.SetMask("*.jpg;*.jpeg;*.png;*.webp;?");
  EXPECT_EQ(files.FindEntriesCalls(), searches + 1);
  list.SetMask("*.BMP");
  EXPECT_THAT(list.Items(), ElementsAre("g.bmp"));
}

TEST(FileListBoxTest, ListsMatchingFilesOnceAndRelistsForNewTypes) {
  FakeFileSystem files;
  files.AddDirectory("C:\\Images");
  files.AddFile("C:\\Images\\b.BMP");
  files.AddFile("C:\\Images\\a.bmp", "", platform::kArchive | platform::kReadOnly);
  files.AddFile("C:\\Images\\cache.bmp", "", platform::kArchive | platform::kHidden);
  files.AddFile("C:\\Images\\note.txt");
  files.AddDirectory("C:\\Images\\dossier.bmp");
  FakeCollation names;
  toolkit::FileListBox list("files", nullptr, files, names);
  list.mask = "*.BMP";
  ASSERT_TRUE(list.SetDirectory("C:\\Images"));
  EXPECT_THAT(list.Items(), ElementsAre("a.bmp", "b.BMP"));
  list.SetItemIndex(1);
  EXPECT_EQ(list.FileName(), "C:\\Images\\b.BMP");

  const int searches = files.FindEntriesCalls();
  EXPECT_TRUE(list.SetDirectory("c:\\IMAGES"));
  EXPECT_EQ(files.FindEntriesCalls(), searches);
  EXPECT_EQ(list.ItemIndex(), 1);

  list.SetFileTypes(list.FileTypes() | toolkit::kFtHidden);
  EXPECT_THAT(list.Items(), ElementsAre("a.bmp", "b.BMP", "cache.bmp"));
  EXPECT_EQ(list.ItemIndex(), -1);

  list.Clear();
  EXPECT_EQ(list.Directory(), "");
  EXPECT_TRUE(list.SetDirectory("C:\\Images"));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_FALSE(list.SetDirectory("C:\\Absent"));
  EXPECT_EQ(list.Count(), 0);
}

TEST(ControlsTest, StateChangesByCodeRunTheClickHandler) {
  toolkit::Form form("form");
  toolkit::CheckBox box("box", &form);
  toolkit::RadioButton first("first", &form);
  toolkit::RadioButton second("second", &form);
  int boxClicks = 0;
  std::vector<std::string> radioClicks;
  box.OnClick = [&] { ++boxClicks; };
  first.OnClick = [&] { radioClicks.push_back("first"); };
  second.OnClick = [&] { radioClicks.push_back("second"); };

  box.SetChecked(true);
  box.SetChecked(true);
  box.Toggle();
  EXPECT_EQ(boxClicks, 2);
  EXPECT_FALSE(box.Checked());

  first.SetChecked(true);
  second.SetChecked(true);
  EXPECT_FALSE(first.Checked());
  EXPECT_THAT(radioClicks, ElementsAre("first", "second"));
}

TEST(ControlsTest, AButtonSetsTheModalResultBeforeItsHandlerRuns) {
  toolkit::Form form("form");
  toolkit::BitButton ok("ok", &form);
  ok.modalResult = toolkit::mr::kOK;
  int seen = -1;
  ok.OnClick = [&] { seen = form.ModalResult(); };
  ok.Click();
  EXPECT_EQ(seen, toolkit::mr::kOK);
}

TEST(ControlsTest, ATimerRestartsOnlyForARealChange) {
  toolkit::Timer timer;
  int changes = 0;
  int ticks = 0;
  timer.Changed.Connect([&] { ++changes; });
  timer.OnTimer = [&] { ++ticks; };
  timer.SetEnabled(true);
  timer.Tick();
  timer.SetInterval(2000);
  timer.SetInterval(2000);
  timer.SetEnabled(true);
  timer.Tick();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(ticks, 1);
}

TEST(ApplicationTest, EveryErrorOfAnEventBecomesTheGeneralReport) {
  FakePlatform fake;
  toolkit::Application app(fake.modalHost, fake.help);
  app.title = "Fondex2";
  bool openDuringBox = false;
  fake.modalHost.AnswerBox(1, [&] { openDuringBox = app.BoxOpen(); });
  app.Dispatch([] { throw Error("Range check error"); });
  ASSERT_EQ(fake.modalHost.Boxes().size(), 1u);
  const auto& box = fake.modalHost.Boxes()[0].request;
  EXPECT_EQ(box.title, "Fondex2");
  EXPECT_EQ(box.kind, toolkit::MessageKind::kError);
  EXPECT_EQ(box.text, "Range check error.");
  EXPECT_THAT(box.buttons, ElementsAre(toolkit::MessageButton::kOK));
  EXPECT_TRUE(openDuringBox);
  EXPECT_FALSE(app.BoxOpen());
}

}  // namespace
}  // namespace fondex::test
