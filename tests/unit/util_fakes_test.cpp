#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/FakePlatform.h"
#include "toolkit/Form.h"

namespace fondex::test {
namespace {

using platform::kArchive;
using platform::kDirectory;
using platform::kHidden;
using platform::kReadOnly;

std::vector<std::string> NamesFound(FakeFileSystem& files, const std::string& pattern) {
  std::vector<std::string> names;
  for (const auto& entry : files.FindEntries(pattern)) {
    names.push_back(entry.name);
  }
  return names;
}

using Names = std::vector<std::string>;

class FakeFileSystemTests : public ::testing::Test {
 protected:
  FakeFileSystemTests() {
    files.AddDirectory("C:\\Images\\Mer");
    files.AddFile("C:\\Images\\Zebre.BMP", "BM-zebre");
    files.AddFile("C:\\Images\\ane.bmp", "BM-ane", kArchive | kHidden);
    files.AddFile("C:\\Images\\LISEZMOI", "texte");
    files.AddDirectory("C:\\Cache", kDirectory | kHidden);
    files.AddDrive('A', DriveState::kNoMedium);
    files.AddFile("A:\\DISQUE.BMP");
    files.AddDrive('D');
  }

  FakeFileSystem files;
};

TEST_F(FakeFileSystemTests, FindsEntriesAsWindowsDoes) {
  EXPECT_EQ(NamesFound(files, "c:\\images\\*.bmp"), (Names{"Zebre.BMP", "ane.bmp"}));
  EXPECT_EQ(NamesFound(files, "C:\\IMAGES\\?ebre.*"), (Names{"Zebre.BMP"}));
  EXPECT_EQ(NamesFound(files, "C:\\Images\\*.*"),
            (Names{".", "..", "Mer", "Zebre.BMP", "ane.bmp", "LISEZMOI"}));
  EXPECT_EQ(NamesFound(files, "C:\\Images\\*e*"),
            (Names{"Mer", "Zebre.BMP", "ane.bmp", "LISEZMOI"}));
  EXPECT_EQ(NamesFound(files, "C:\\*"), (Names{"FONDEX", "Images", "Cache"}));
  EXPECT_EQ(NamesFound(files, "C:\\."), Names{});
  EXPECT_EQ(NamesFound(files, "C:\\Images\\"), Names{});
  EXPECT_EQ(NamesFound(files, "C:\\Images\\ane.bmp\\."), Names{});
  EXPECT_EQ(NamesFound(files, "A:\\*"), Names{});
  EXPECT_EQ(NamesFound(files, "E:\\*"), Names{});
  EXPECT_EQ(NamesFound(files, ""), Names{});

  const auto dot = files.FindEntries("c:\\cache\\.");
  ASSERT_EQ(dot.size(), 1u);
  EXPECT_EQ(dot[0].attributes, kDirectory | kHidden);
  const auto up = files.FindEntries("C:\\Cache\\..");
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(up[0].attributes, kDirectory);

  ASSERT_TRUE(files.SetCurrentDirectory("c:\\images"));
  EXPECT_EQ(NamesFound(files, "zebre.bmp"), (Names{"Zebre.BMP"}));
  EXPECT_EQ(NamesFound(files, "C:z*"), (Names{"Zebre.BMP"}));
  EXPECT_EQ(NamesFound(files, "\\Images\\Mer\\."), (Names{"."}));
}

TEST_F(FakeFileSystemTests, ExpandsFullPathsAsWindowsDoes) {
  ASSERT_TRUE(files.SetCurrentDirectory("c:\\images\\mer\\"));
  EXPECT_EQ(files.GetCurrentDirectory(), "c:\\images\\mer");
  const auto full = [this](const std::string& name) { return files.GetFullPathName(name); };
  EXPECT_EQ(full("vague.bmp"), "c:\\images\\mer\\vague.bmp");
  EXPECT_EQ(full("..\\foret.bmp"), "c:\\images\\foret.bmp");
  EXPECT_EQ(full("..\\..\\..\\..\\x"), "c:\\x");
  EXPECT_EQ(full(".\\a\\.\\b\\..\\c"), "c:\\images\\mer\\a\\c");
  EXPECT_EQ(full("\\fonds\\x.bmp"), "c:\\fonds\\x.bmp");
  EXPECT_EQ(full("C:\\\\a\\\\\\b"), "C:\\a\\b");
  EXPECT_EQ(full("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(full("C:\\a\\."), "C:\\a");
  EXPECT_EQ(full("C:\\a\\.."), "C:\\");
  EXPECT_EQ(full("C:\\IMAGES.."), "C:\\IMAGES");
  EXPECT_EQ(full("c:"), "c:\\images\\mer");
  EXPECT_EQ(full("c:x"), "c:\\images\\mer\\x");
  EXPECT_EQ(full("d:x"), "d:\\x");
  EXPECT_EQ(full("D:"), "D:\\");
  EXPECT_EQ(full("\\\\serveur\\partage\\a\\..\\b"), "\\\\serveur\\partage\\b");
  EXPECT_EQ(full(""), std::nullopt);
  EXPECT_EQ(full("\\\\serveur"), std::nullopt);

  EXPECT_FALSE(files.SetCurrentDirectory("C:\\Images\\Zebre.BMP"));
  EXPECT_FALSE(files.SetCurrentDirectory("A:\\"));
  EXPECT_EQ(files.GetCurrentDirectory(), "c:\\images\\mer");
}

TEST_F(FakeFileSystemTests, DrivesAndAttributes) {
  EXPECT_TRUE(files.GetDiskFreeSpace("C:\\"));
  EXPECT_TRUE(files.GetDiskFreeSpace("d:\\"));
  EXPECT_FALSE(files.GetDiskFreeSpace("A:\\"));
  EXPECT_FALSE(files.GetDiskFreeSpace("E:\\"));
  EXPECT_FALSE(files.GetDiskFreeSpace("C:"));
  EXPECT_EQ(files.GetAttributes("C:\\"), kDirectory);
  EXPECT_EQ(files.GetAttributes("c:\\images\\ANE.BMP"), kArchive | kHidden);
  EXPECT_EQ(files.GetAttributes("C:\\Images\\*.bmp"), std::nullopt);
  EXPECT_EQ(files.GetAttributes("C:\\Images\\Zebre.BMP\\"), std::nullopt);
  EXPECT_EQ(files.GetAttributes("A:\\DISQUE.BMP"), std::nullopt);
  files.SetDriveState('a', DriveState::kReady);
  EXPECT_EQ(files.GetAttributes("A:\\DISQUE.BMP"), kArchive);

  // Read-only is told by GetAttributes alone, never by a search.
  files.SetAttributes("C:\\Images\\Zebre.BMP", kArchive | kReadOnly);
  files.SetAttributes("C:\\Images\\Mer", kReadOnly);
  EXPECT_EQ(files.GetAttributes("c:\\images\\zebre.bmp"), kArchive | kReadOnly);
  EXPECT_EQ(files.GetAttributes("c:\\images\\mer"), kDirectory | kReadOnly);
  std::vector<std::uint32_t> found;
  for (const auto& entry : files.FindEntries("C:\\Images\\*e*")) {
    found.push_back(entry.attributes);
  }
  EXPECT_EQ(found,
            (std::vector<std::uint32_t>{kDirectory, kArchive, kArchive | kHidden, kArchive}));
  EXPECT_EQ(files.FindEntries("C:\\Images\\Mer\\.").at(0).attributes, kDirectory);
}

TEST_F(FakeFileSystemTests, WritesAndDeletesFailWithoutHarm) {
  EXPECT_TRUE(files.WriteFileAtomic("C:\\FONDEX\\FONDEX.DAT", "c:\\images\r\n3\r\n"));
  EXPECT_EQ(files.ReadFile("c:\\fondex\\fondex.dat"), "c:\\images\r\n3\r\n");
  files.MakeFail(FakeFileSystem::Operation::kWrite);
  EXPECT_FALSE(files.WriteFileAtomic("C:\\FONDEX\\FONDEX.DAT", ""));
  EXPECT_EQ(files.Contents("C:\\FONDEX\\FONDEX.DAT"), "c:\\images\r\n3\r\n");
  files.ClearFailures();
  EXPECT_FALSE(files.WriteFileAtomic("C:\\NULLEPART\\X.DAT", ""));
  EXPECT_FALSE(files.WriteFileAtomic("C:\\Images", ""));

  files.SetAttributes("C:\\Images\\Zebre.BMP", kArchive | kReadOnly);
  EXPECT_FALSE(files.DeleteFile("C:\\Images\\Zebre.BMP"));
  EXPECT_FALSE(files.WriteFileAtomic("C:\\Images\\Zebre.BMP", "autre"));
  EXPECT_EQ(files.Contents("C:\\Images\\Zebre.BMP"), "BM-zebre");
  EXPECT_FALSE(files.DeleteFile("C:\\Images\\absent.bmp"));
  EXPECT_FALSE(files.DeleteFile("C:\\Images\\Mer"));
  files.MakeFail(FakeFileSystem::Operation::kDelete, "c:\\images\\ane.bmp");
  EXPECT_FALSE(files.DeleteFile("C:\\Images\\ANE.BMP"));
  EXPECT_TRUE(files.DeleteFile("C:\\Images\\LISEZMOI"));
  EXPECT_FALSE(files.Exists("C:\\Images\\LISEZMOI"));
}

TEST_F(FakeFileSystemTests, CountsSearches) {
  const int before = files.FindEntriesCalls();
  files.FindEntries("C:\\*");
  files.FindEntries("nothing");
  EXPECT_EQ(files.FindEntriesCalls(), before + 2);
}

TEST(FakeProfileFiles, ReadsAndWritesLikePrivateProfiles) {
  FakeProfileFiles profiles;
  profiles.SetFile("c:\\fondex\\FONDEX.INI",
                   "; r\xE9glages\n[options]\nAuto = oui \n\n[Placement]\nTop=10\r\nLeft=20");
  EXPECT_EQ(profiles.GetString("C:\\FONDEX\\fondex.ini", "OPTIONS", "auto", "Non", 1024), "oui");
  EXPECT_EQ(profiles.GetString("C:\\FONDEX\\FONDEX.INI", "Options", "FinNone", "Non", 1024), "Non");
  EXPECT_EQ(profiles.GetString("C:\\FONDEX\\FONDEX.INI", "Options", "Auto", "", 3), "ou");
  EXPECT_EQ(profiles.GetString("ABSENT.INI", "Options", "Auto", "x", 1024), "x");

  ASSERT_TRUE(profiles.WriteString("C:\\FONDEX\\FONDEX.INI", "Options", "D\xE9lai", " 60"));
  ASSERT_TRUE(profiles.WriteString("C:\\FONDEX\\FONDEX.INI", "Options", "AUTO", "Non"));
  ASSERT_TRUE(profiles.WriteString("C:\\FONDEX\\FONDEX.INI", "Placement", "Left", "-5"));
  ASSERT_TRUE(profiles.WriteString("C:\\FONDEX\\FONDEX.INI", "Divers", "Cle", "v"));
  EXPECT_EQ(profiles.Render("C:\\FONDEX\\FONDEX.INI"),
            "; r\xE9glages\r\n[options]\r\nAuto=Non\r\nD\xE9lai= 60\r\n\r\n[Placement]\r\n"
            "Top=10\r\nLeft=-5\r\n[Divers]\r\nCle=v\r\n");
  EXPECT_EQ(profiles.GetString("C:\\FONDEX\\FONDEX.INI", "Options", "D\xE9LAI", "", 1024), "60");
  EXPECT_EQ(profiles.Render("ABSENT.INI"), std::nullopt);
  EXPECT_EQ(profiles.Reads("c:\\fondex\\fondex.ini"), 4);
}

TEST(FakeProfileFiles, RefusesTheKeysItIsToldTo) {
  FakeProfileFiles profiles;
  profiles.RefuseWrite("FONDEX.INI", "Options", "Auto");
  EXPECT_TRUE(profiles.WriteString("fondex.ini", "Options", "HasardLieu", "RepActif"));
  EXPECT_FALSE(profiles.WriteString("fondex.ini", "options", "auto", "Oui"));
  EXPECT_TRUE(profiles.WriteString("fondex.ini", "Placement", "Auto", "Oui"));
  EXPECT_EQ(profiles.Render("FONDEX.INI"),
            "[Options]\r\nHasardLieu=RepActif\r\n[Placement]\r\nAuto=Oui\r\n");
  profiles.RefuseWrite("FONDEX.INI");
  EXPECT_FALSE(profiles.WriteString("fondex.ini", "Placement", "Top", "0"));
}

class Listener : public platform::ProfileChangeListener {
 public:
  explicit Listener(FakeProfileFiles& profiles) : profiles_(profiles) {}
  void ProfileChanged() override {
    seen.push_back(profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "?", 1024));
  }
  std::vector<std::string> seen;

 private:
  FakeProfileFiles& profiles_;
};

TEST(FakeDesktop, StoresAndNotifiesInsideTheCall) {
  FakePlatform fake;
  Listener listener(fake.profiles);
  fake.desktop.AddListener(&listener);
  fake.desktop.RefuseWhen([](const std::string& name) { return name.ends_with(".txt"); });

  EXPECT_TRUE(fake.desktop.SetDeskWallpaper("c:\\images\\mer.bmp"));
  EXPECT_FALSE(fake.desktop.SetDeskWallpaper("c:\\lisezmoi.txt"));
  fake.desktop.SimulateOutsideChange("c:\\windows\\nuages.bmp");
  EXPECT_TRUE(fake.desktop.SetDeskWallpaper(""));

  EXPECT_EQ(listener.seen,
            (std::vector<std::string>{"c:\\images\\mer.bmp", "c:\\windows\\nuages.bmp", ""}));
  EXPECT_EQ(fake.desktop.Requests(),
            (std::vector<std::string>{"c:\\images\\mer.bmp", "c:\\lisezmoi.txt", ""}));
  EXPECT_EQ(fake.desktop.Wallpaper(), "");
}

TEST(ScriptedModalHost, AnswersFromItsScriptsThenFromTheDefaults) {
  ScriptedModalHost host;
  toolkit::MessageBoxRequest yesNo;
  yesNo.buttons = {toolkit::MessageButton::kYes, toolkit::MessageButton::kNo};
  yesNo.defaultButton = toolkit::MessageButton::kYes;
  toolkit::MessageBoxRequest inner;
  inner.text = "inner";

  host.AnswerBox(7, [&] { host.ShowMessageBox(inner); });
  EXPECT_EQ(host.ShowMessageBox(yesNo), 7);
  EXPECT_EQ(host.ShowMessageBox(yesNo), 6);
  ASSERT_EQ(host.Boxes().size(), 3u);
  EXPECT_EQ(host.Boxes()[1].request.text, "inner");
  EXPECT_EQ(host.Boxes()[1].result, 1);
  EXPECT_TRUE(host.Boxes()[0].scripted);
  EXPECT_EQ(host.UnscriptedCount(), 2);

  host.AnswerDialog("c:\\images\\mer.bmp");
  EXPECT_EQ(host.RunOpenDialog({}), "c:\\images\\mer.bmp");
  EXPECT_EQ(host.RunOpenDialog({}), std::nullopt);

  toolkit::Form form("OptBox");
  host.ScriptModal([](toolkit::Form& shown) { shown.SetModalResult(1); });
  host.ScriptModal([](toolkit::Form&) {});
  host.RunModal(form);
  EXPECT_EQ(form.ModalResult(), 1);
  form.SetModalResult(0);
  host.RunModal(form);
  EXPECT_EQ(form.ModalResult(), 2);
  EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST(FakeShellDrop, GivesTheNamesOfALiveDrop) {
  FakeShellDrop drops;
  const auto drop = drops.AddDrop({"c:\\images\\mer.bmp", "c:\\fonds"});
  EXPECT_EQ(drops.DragQueryFileCount(drop), 2u);
  EXPECT_EQ(drops.DragQueryFile(drop, 0, 300), "c:\\images\\mer.bmp");
  EXPECT_EQ(drops.DragQueryFile(drop, 1, 5), "c:\\f");
  drops.DragFinish(drop);
  EXPECT_EQ(drops.FinishCount(drop), 1);
  EXPECT_EQ(drops.DragQueryFileCount(drop), 0u);

  int window = 0;
  drops.DragAcceptFiles(&window, true);
  EXPECT_TRUE(drops.Accepts(&window));
  drops.DragAcceptFiles(&window, false);
  EXPECT_FALSE(drops.Accepts(&window));
}

}  // namespace
}  // namespace fondex::test
