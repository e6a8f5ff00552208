#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class WallpaperTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\Images", {"mer.bmp", "Foret.BMP"});
    fake.files.AddFile("C:\\Images\\photo.jpg", "JPEG");
    program.Start();
  }
  void Apply(const std::string& name) {
    Dispatch([&] { Main().ApplyWallpaper(name); });
  }
};

TEST_F(WallpaperTest, CompletesTheExtensionAndLowersTheName) {
  Apply("C:\\IMAGES\\MER");
  Apply("c:\\images\\foret.");
  Apply("c:\\images\\photo.jpg");
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\images\\mer.bmp", "c:\\images\\foret.bmp", "c:\\images\\photo.jpg"));
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(WallpaperTest, ASetWallpaperIsShownWithItsDirectoryAndFile) {
  fake.files.AddDrive('D');
  AddBitmaps("D:\\Fonds", {"ciel.bmp"});
  Apply("D:\\Fonds\\Ciel.bmp");
  EXPECT_EQ(Main().CurrentWallpaper, "d:\\fonds\\ciel.bmp");
  EXPECT_EQ(Main().Caption(), "Fondex2 : d:\\fonds\\ciel.bmp");
  EXPECT_EQ(Main().EditChoisiBMP.Text(), "d:\\fonds\\ciel.bmp");
  EXPECT_THAT(Directories(), ElementsAre("d:\\fonds"));
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(Main().FichListeBox.ItemIndex(), 0);
  EXPECT_EQ(Main().TickCount, 0);
}

TEST_F(WallpaperTest, AMissingFileIsReportedWhileIdleAndLeavesAPlainDesktop) {
  Apply("c:\\images\\mer");
  Main().TickCount = 3;
  Apply("c:\\images\\absent");
  EXPECT_THAT(BoxTexts(), ElementsAre("Le fichier c:\\images\\absent.bmp est introuvable"));
  EXPECT_EQ(fake.modalHost.Boxes()[0].request.kind, toolkit::MessageKind::kError);
  EXPECT_EQ(fake.desktop.Wallpaper(), "");
  EXPECT_TRUE(Main().NoWallpaper);
  EXPECT_EQ(Main().Caption(), "Fondex2");
  EXPECT_EQ(Main().EditChoisiBMP.Text(), "");
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(Main().TickCount, 3);
}

TEST_F(WallpaperTest, AnEmptyNameClearsWithoutAMessage) {
  Apply("c:\\images\\mer.bmp");
  Apply("");
  EXPECT_THAT(BoxTexts(), IsEmpty());
  EXPECT_EQ(fake.desktop.Wallpaper(), "");
  EXPECT_EQ(Main().Caption(), "Fondex2");
  EXPECT_EQ(State(), TProgramState::StateReady);
}

TEST_F(WallpaperTest, ARefusedWallpaperKeepsThePreviousOne) {
  Apply("c:\\images\\mer.bmp");
  fake.desktop.RefuseWhen([](const std::string& name) { return name.ends_with(".jpg"); });
  Apply("C:\\Images\\Photo.jpg");
  EXPECT_THAT(BoxTexts(), ElementsAre("Windows n'a pu charger c:\\images\\photo.jpg. Vérifiez la "
                                      "valdidité de ce papier peint"));
  EXPECT_EQ(Main().CurrentWallpaper, "c:\\images\\mer.bmp");
  EXPECT_EQ(Main().Caption(), "Fondex2 : c:\\images\\mer.bmp");
  EXPECT_EQ(fake.desktop.Wallpaper(), "c:\\images\\mer.bmp");
  EXPECT_EQ(State(), TProgramState::StateReady);
}

TEST_F(WallpaperTest, AWallpaperTheFileListDoesNotShowSelectsNoFile) {
  Apply("c:\\images\\photo.jpg");
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(Main().FichListeBox.ItemIndex(), -1);
  EXPECT_EQ(Main().FichListeBox.Count(), 2);
}

// With the list full, the wallpaper's directory is not listed: the file list, still on another
// directory, selects none of that directory's files, even one of the same name.
TEST_F(WallpaperTest, AWallpaperOfADirectoryTheFullListCannotTakeSelectsNoFile) {
  AddBitmaps("C:\\Neuf", {"neuf.bmp", "mer.bmp"});
  Apply("c:\\images\\mer.bmp");
  for (int i = 0; Directories().size() < 1001; ++i) {
    Main().NouveauRep("c:\\d" + std::to_string(i));
  }
  for (const std::string name : {"neuf.bmp", "mer.bmp"}) {
    Apply("c:\\neuf\\" + name);
    EXPECT_EQ(Main().Caption(), "Fondex2 : c:\\neuf\\" + name);
    EXPECT_EQ(Main().FichListeBox.ItemIndex(), -1) << name;
  }
  EXPECT_EQ(BoxTexts().size(), 2u);
  EXPECT_THAT(Directories(), Not(Contains("c:\\neuf")));
}

TEST_F(WallpaperTest, APlainDesktopShowsTheFirstDirectoryEvenWhenItHasGone) {
  AddBitmaps("C:\\Autres", {"x.bmp"});
  Apply("c:\\autres\\x.bmp");
  Apply("c:\\images\\mer.bmp");
  fake.files.Remove("C:\\Autres");
  Apply("");
  EXPECT_EQ(Main().DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(Main().FichListeBox.Count(), 0);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(WallpaperTest, TheHiddenFilesSettingDecidesWhatCountsAsThere) {
  fake.files.AddFile("C:\\Images\\cache.bmp", "BM", platform::kArchive | platform::kHidden);
  fake.files.AddDirectory("C:\\Images\\dossier.bmp");
  // Setting off: any entry of that name will do, even a directory.
  Apply("c:\\images\\dossier.bmp");
  Apply("c:\\images\\cache.bmp");
  EXPECT_THAT(fake.desktop.Requests(),
              ElementsAre("c:\\images\\dossier.bmp", "c:\\images\\cache.bmp"));
  // Setting on: files only, hidden ones included.
  Options().ChBCaches.SetChecked(true);
  Apply("c:\\images\\cache.bmp");
  Apply("c:\\images\\dossier.bmp");
  EXPECT_THAT(BoxTexts(), ElementsAre("Le fichier c:\\images\\dossier.bmp est introuvable"));
}

TEST_F(WallpaperTest, ANameTooLongForTheSystemIsRefusedNotCut) {
  const std::string directory = "C:\\" + std::string(250, 'l');
  AddBitmaps(directory, {"image.bmp"});
  fake.desktop.RefuseWhen([](const std::string& name) { return name.size() > 259; });
  Apply(directory + "\\image.bmp");
  ASSERT_EQ(fake.desktop.Requests().size(), 1u);
  EXPECT_EQ(fake.desktop.Requests()[0].size(), directory.size() + 10);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_TRUE(BoxTexts()[0].starts_with("Windows n'a pu charger"));
}

}  // namespace
}  // namespace fondex::test
