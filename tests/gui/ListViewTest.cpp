#include <QListView>
#include <chrono>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "qt/FormView.h"
#include "support/FakeCollation.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"

namespace fondex::test {
namespace {

// One directory, C:\GRAND, that holds as many bitmap files as asked.
class BigDirectory : public platform::FileSystem {
 public:
  explicit BigDirectory(int files) : files_(files) {}
  std::vector<platform::FoundEntry> FindEntries(const std::string& /*pattern*/) override {
    std::vector<platform::FoundEntry> entries;
    entries.reserve(static_cast<std::size_t>(files_));
    for (int i = 0; i < files_; ++i) {
      entries.push_back({"image" + std::to_string(100000 + i) + ".bmp", platform::kArchive});
    }
    return entries;
  }
  std::optional<std::uint32_t> GetAttributes(const std::string&) override { return {}; }
  std::optional<std::string> GetFullPathName(const std::string& name) override { return name; }
  bool SetCurrentDirectory(const std::string&) override { return true; }
  std::string GetCurrentDirectory() override { return "C:\\GRAND"; }
  bool DeleteFile(const std::string&) override { return false; }
  std::optional<platform::DiskFreeSpace> GetDiskFreeSpace(const std::string&) override {
    return {};
  }
  std::string ExecutablePath() override { return "C:\\FONDEX\\FONDEX.EXE"; }
  std::optional<std::string> ReadFile(const std::string&) override { return {}; }
  bool WriteFileAtomic(const std::string&, const std::string&) override { return false; }

 private:
  int files_;
};

class ListForm : public toolkit::Form {
 public:
  ListForm(platform::FileSystem& files, const platform::Collation& names)
      : toolkit::Form("ListForm"),
        fileList("FichListeBox", this, files, names),
        dirList("DirListeBox", this, names) {
    bounds = {0, 0, 465, 253};
    fileList.bounds = {15, 40, 151, 116};
    fileList.mask = "*.BMP";
    fileList.showGlyphs = true;
    fileList.tabOrder = 0;
    dirList.bounds = {175, 40, 281, 116};
    dirList.SetSorted(true);
    dirList.tabOrder = 1;
  }
  toolkit::FileListBox fileList;
  toolkit::ListBox dirList;
};

class ListViewTest : public GuiTest {
 protected:
  QListView& List(const char* name) { return *view->findChild<QListView*>(name); }
  // Clicks the row as the user would, on the list's viewport.
  void ClickRow(QListView& list, int row) {
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  }

  BigDirectory files{100000};
  FakeCollation names;
  ListForm form{files, names};
  std::unique_ptr<qt::FormView> view = std::make_unique<qt::FormView>(app, form);
};

TEST_F(ListViewTest, HundredThousandFilesOpenAtOnceWithoutAWidgetPerItem) {
  form.Show();
  const int widgetsBefore = static_cast<int>(view->findChildren<QWidget*>().size());
  // How fast it opens is the main window benchmark's to measure.
  form.fileList.SetDirectory("C:\\GRAND");
  form.fileList.SetItemIndex(99999);
  QApplication::processEvents();

  QListView& list = List("FichListeBox");
  EXPECT_EQ(list.model()->rowCount(), 100000);
  EXPECT_EQ(static_cast<int>(view->findChildren<QWidget*>().size()), widgetsBefore);
  EXPECT_EQ(list.currentIndex().row(), 99999);
  EXPECT_EQ(list.visualRect(list.currentIndex()).height(), 16);
  EXPECT_TRUE(list.viewport()->rect().contains(list.visualRect(list.currentIndex())));
  EXPECT_FALSE(list.model()->index(0, 0).data(Qt::DecorationRole).isNull());  // file glyph
}

TEST_F(ListViewTest, TheUsersSelectionReachesTheModelAndTheProgramsDoesNotEcho) {
  std::vector<int> clicks;
  form.dirList.OnClick = [&] { clicks.push_back(form.dirList.ItemIndex()); };
  for (const char* dir : {"c:\\mer", "c:\\alpes", "c:\\foret", "c:\\villes"}) {
    form.dirList.Add(dir);
  }
  form.Show();
  QListView& list = List("DirListeBox");
  EXPECT_EQ(list.model()->index(0, 0).data().toString(), "c:\\alpes");

  form.dirList.SetItemIndex(1);  // the program's selection: shown, not reported
  EXPECT_EQ(list.currentIndex().row(), 1);
  EXPECT_TRUE(clicks.empty());

  ClickRow(list, 2);
  QTest::keyClick(&list, Qt::Key_Down);
  ClickRow(list, 3);  // the selected row again: no new selection
  EXPECT_EQ(clicks, (std::vector<int>{2, 3}));

  // A row added before the selection moves it; the view follows.
  form.dirList.Add("c:\\aa");
  EXPECT_EQ(list.currentIndex().row(), 4);
  EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
}

TEST_F(ListViewTest, AHandlerMayRemoveTheRowTheUserJustSelected) {
  // As when the selected directory turns out to be gone.
  form.dirList.OnClick = [&] {
    form.dirList.Delete(form.dirList.ItemIndex());
    form.dirList.SetItemIndex(0);
  };
  for (const char* dir : {"c:\\mer", "c:\\alpes", "c:\\foret"}) {
    form.dirList.Add(dir);
  }
  form.Show();
  QListView& list = List("DirListeBox");
  ClickRow(list, 2);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(form.dirList.Items(), std::vector<std::string>{"c:\\alpes"});
  EXPECT_EQ(list.model()->rowCount(), 1);
  EXPECT_EQ(list.currentIndex().row(), 0);
}

TEST_F(ListViewTest, KeyReleasesAndDoubleClicksGoToTheListHandlers) {
  std::vector<int> released;
  int doubleClicks = 0;
  form.fileList.OnKeyUp = [&](int key, toolkit::ShiftState) { released.push_back(key); };
  form.fileList.OnDblClick = [&] { ++doubleClicks; };
  form.fileList.SetDirectory("C:\\GRAND");
  form.Show();
  QListView& list = List("FichListeBox");
  list.setFocus();

  ClickRow(list, 2);
  EXPECT_EQ(form.fileList.ItemIndex(), 2);
  EXPECT_EQ(form.fileList.FileName(), "C:\\GRAND\\image100002.bmp");
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                     list.visualRect(list.model()->index(2, 0)).center());
  EXPECT_EQ(doubleClicks, 1);

  QTest::keyClick(&list, Qt::Key_Delete);
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(released, (std::vector<int>{46, 13}));

  // The release of a key pressed in another window (the Enter that closed a question) is not
  // this list's key.
  QTest::keyRelease(&list, Qt::Key_Return);
  EXPECT_EQ(released, (std::vector<int>{46, 13}));
}

}  // namespace
}  // namespace fondex::test
