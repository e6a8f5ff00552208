#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

using options::TDisposition;
using ::testing::ElementsAre;

// The system profile's layout values, as [Desktop] TileWallpaper and WallpaperStyle.
using ProfileLayout = std::pair<std::string, std::string>;

class LayoutTest : public ProgramTest {
 protected:
  void SetUp() override {
    AddBitmaps("C:\\Images", {"mer.bmp"});
    fake.profiles.SetFile("WIN.INI", "[Desktop]\r\nTileWallpaper=1\r\nWallpaperStyle=2\r\n");
    // What the profile holds at the moment the system is asked to set the wallpaper.
    fake.desktop.RefuseWhen([this](const std::string&) {
      asked = StoredLayout();
      return false;
    });
  }

  ProfileLayout StoredLayout() {
    return {fake.profiles.GetString("WIN.INI", "Desktop", "TileWallpaper", "-", 16),
            fake.profiles.GetString("WIN.INI", "Desktop", "WallpaperStyle", "-", 16)};
  }

  // The user picks the list's line, as the view reports a click.
  void Choose(TDisposition layout) {
    Dispatch([&] { Options().DispositionListeBox.UserSelect(static_cast<int>(layout)); });
  }

  void ApplyPicture() {
    Dispatch([&] { Main().ApplyWallpaper("c:\\images\\mer.bmp"); });
  }

  std::optional<ProfileLayout> asked;
};

TEST_F(LayoutTest, EachChosenLayoutReachesTheProfileBeforeTheSystemSetsThePicture) {
  program.Start();
  const struct {
    TDisposition layout;
    ProfileLayout values;
  } cases[] = {
      {TDisposition::Centre, {"0", "0"}},   {TDisposition::Mosaique, {"1", "0"}},
      {TDisposition::Etire, {"0", "2"}},    {TDisposition::Ajuste, {"0", "6"}},
      {TDisposition::Remplir, {"0", "10"}},
  };
  for (const auto& c : cases) {
    Choose(c.layout);
    asked.reset();
    ApplyPicture();
    EXPECT_EQ(asked, c.values) << static_cast<int>(c.layout);
  }
  // Clearing the desktop asks for no layout.
  Choose(TDisposition::Centre);
  Dispatch([&] { Main().ApplyWallpaper(""); });
  EXPECT_EQ(StoredLayout(), (ProfileLayout{"0", "10"}));
  EXPECT_THAT(BoxTexts(), ::testing::IsEmpty());
}

TEST_F(LayoutTest, AsTheSystemWritesNothingAndTheSettingsFileGetsNoKey) {
  program.Start();
  EXPECT_EQ(Options().Disposition(), TDisposition::CommeSysteme);
  EXPECT_EQ(Options().DispositionListeBox.ItemIndex(), 0);
  ApplyPicture();
  EXPECT_EQ(asked, (ProfileLayout{"1", "2"}));
  Dispatch([&] { Options().SaveSettings(); });
  const std::string file = fake.profiles.Render(kIniFile).value_or("");
  EXPECT_NE(file.find("FichiersCaches="), std::string::npos) << file;
  EXPECT_EQ(file.find("Disposition"), std::string::npos) << file;
}

TEST_F(LayoutTest, ACancelledChoiceIsNotTheOneUsed) {
  program.Start();
  Choose(TDisposition::Ajuste);
  fake.modalHost.ScriptModal([this](toolkit::Form&) {
    Choose(TDisposition::Remplir);
    Dispatch([&] { Options().CancelBtn.Click(); });
  });
  EXPECT_EQ(app.ShowModal(Options()), toolkit::mr::kCancel);
  EXPECT_EQ(Options().Disposition(), TDisposition::Ajuste);
  EXPECT_EQ(Options().DispositionListeBox.ItemIndex(), 4);
  ApplyPicture();
  EXPECT_EQ(asked, (ProfileLayout{"0", "6"}));
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\images\\mer.bmp"));
}

}  // namespace
}  // namespace fondex::test
