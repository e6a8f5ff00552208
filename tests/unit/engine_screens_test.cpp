#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "unit/techniques_fixture.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Pictures = std::vector<platform::ScreenWallpaper>;

// Three screens, the main window on the middle one.
class EachScreenTest : public TechniquesTest {
 protected:
  void SetUp() override {
    fake.desktop.SetScreens({"DP-1", "HDMI-1", "DP-2"});
    AddABC();
  }

  void StartEachScreen(const std::string& wallpaper, THasardTech tech, THasardLieu lieu) {
    StartOn(wallpaper, tech, lieu);
    Main().screenProbe = [this] { return windowScreen; };
    Options().ChBParEcran.SetChecked(true);
  }

  const Pictures& LastScreenRequest() const { return fake.desktop.ScreenRequests().back(); }

  std::string windowScreen = "HDMI-1";
};

struct TechniqueCase {
  THasardTech tech;
  THasardLieu lieu;
  Pictures successive;  // empty: three different pictures drawn
};

class EachScreenTechniques : public EachScreenTest,
                             public ::testing::WithParamInterface<TechniqueCase> {};

// Each change runs once per screen, the window's screen last: the successive techniques go on
// from one screen to the next, the random ones avoid a picture another screen already took.
TEST_P(EachScreenTechniques, GiveEachScreenItsOwnPictureTheWindowsLast) {
  const TechniqueCase& c = GetParam();
  StartEachScreen("c:\\a\\a1.bmp", c.tech, c.lieu);
  Quiet();
  ASSERT_EQ(fake.desktop.ScreenRequests().size(), 1u);
  const Pictures& set = LastScreenRequest();
  ASSERT_EQ(set.size(), 3u);
  EXPECT_EQ(set.back().screen, "HDMI-1");
  if (!c.successive.empty()) {
    EXPECT_EQ(set, c.successive);
  }
  std::set<std::string> names;
  for (const auto& picture : set) {
    names.insert(picture.name);
  }
  EXPECT_EQ(names.size(), 3u);
  EXPECT_EQ(Main().CurrentWallpaper, set.back().name);
  EXPECT_EQ(fake.profiles.GetString("WIN.INI", "Desktop", "Wallpaper", "", 260), set.back().name);
  EXPECT_EQ(Main().Caption(), "Fondex2 : " + set.back().name);
  EXPECT_THAT(BoxTexts(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    SevenTechniques, EachScreenTechniques,
    ::testing::Values(
        TechniqueCase{THasardTech::HasardGlobal, THasardLieu::RepActif, {}},
        TechniqueCase{THasardTech::HasardDsRep, THasardLieu::RepActif, {}},
        TechniqueCase{THasardTech::HasardDsRep, THasardLieu::RepHasard, {}},
        TechniqueCase{THasardTech::HasardDsRep, THasardLieu::RepSucc, {}},
        TechniqueCase{
            THasardTech::Successif,
            THasardLieu::RepActif,
            {{"DP-1", "c:\\a\\a2.bmp"}, {"DP-2", "c:\\a\\a3.bmp"}, {"HDMI-1", "c:\\a\\a1.bmp"}}},
        TechniqueCase{THasardTech::Successif, THasardLieu::RepHasard, {}},
        TechniqueCase{
            THasardTech::Successif,
            THasardLieu::RepSucc,
            {{"DP-1", "c:\\a\\a2.bmp"}, {"DP-2", "c:\\a\\a3.bmp"}, {"HDMI-1", "c:\\b\\b1.bmp"}}}));

TEST_F(EachScreenTest, ALoneFileIsRepeatedRatherThanDrawnForever) {
  StartEachScreen("c:\\c\\c1.bmp", THasardTech::HasardDsRep, THasardLieu::RepActif);
  Quiet();
  EXPECT_EQ(fake.desktop.ScreenPictures(),
            (std::vector<std::string>{"c:\\c\\c1.bmp", "c:\\c\\c1.bmp", "c:\\c\\c1.bmp"}));
}

TEST_F(EachScreenTest, APictureSetByHandGoesOnTheWindowsScreenAloneAndPlainClearsThemAll) {
  StartEachScreen("c:\\a\\a1.bmp", THasardTech::Successif, THasardLieu::RepActif);
  Quiet();
  Dispatch([&] { Main().ApplyWallpaper("c:\\b\\b2"); });
  EXPECT_EQ(LastScreenRequest(), (Pictures{{"HDMI-1", "c:\\b\\b2.bmp"}}));
  EXPECT_THAT(fake.desktop.ScreenPictures(),
              ElementsAre("c:\\a\\a2.bmp", "c:\\b\\b2.bmp", "c:\\a\\a3.bmp"));

  // A window on a screen the desktop does not name stands for the first one.
  windowScreen = "VGA-0";
  Dispatch([&] { Main().ApplyWallpaper("c:\\c\\c1.bmp"); });
  EXPECT_EQ(LastScreenRequest(), (Pictures{{"DP-1", "c:\\c\\c1.bmp"}}));

  Dispatch([&] { Main().BBtnNoWalp.Click(); });
  EXPECT_THAT(fake.desktop.ScreenPictures(), ElementsAre("", "", ""));
  EXPECT_EQ(Main().Caption(), "Fondex2");
}

// The window moved to another screen, or first shown there: the caption, the lists and WIN.INI
// name that screen's picture; an unnamed screen stands for the first; a change under way keeps
// its own screen.
TEST_F(EachScreenTest, TheWindowsNewScreenNamesItsOwnPicture) {
  StartEachScreen("c:\\a\\a1.bmp", THasardTech::Successif, THasardLieu::RepActif);
  Quiet();
  const std::vector<std::string> shown = fake.desktop.ScreenPictures();
  for (const auto& [screen, index] : {std::pair{"DP-2", 2}, std::pair{"VGA-0", 0}}) {
    windowScreen = screen;
    Dispatch([&] { Main().FormScreenChange(); });
    EXPECT_EQ(Main().Caption(), "Fondex2 : " + shown[index]) << screen;
    EXPECT_EQ(Main().EditChoisiBMP.Text(), shown[index]);
    EXPECT_EQ(fake.profiles.GetString("WIN.INI", "Desktop", "Wallpaper", "", 260), shown[index]);
  }
  program.Program().ProgramState = TProgramState::StateOwnChange;
  Dispatch([&] { Main().FormScreenChange(); });
  EXPECT_THAT(fake.desktop.FollowedScreens(), ElementsAre("DP-2", "DP-1"));
}

struct OnePictureCase {
  const char* what;
  std::vector<std::string> screens;
  bool option;
  bool systemCan;
};

class OnePictureForAll : public TechniquesTest,
                         public ::testing::WithParamInterface<OnePictureCase> {};

TEST_P(OnePictureForAll, WithOneScreenTheOptionOffOrASystemThatCannot) {
  const OnePictureCase& c = GetParam();
  fake.desktop.SetScreens(c.screens);
  if (!c.systemCan) {
    fake.desktop.CannotSetEachScreen();
  }
  AddABC();
  StartOn("c:\\a\\a1.bmp", THasardTech::Successif, THasardLieu::RepActif);
  Main().screenProbe = [] { return "HDMI-1"; };
  Options().ChBParEcran.SetChecked(c.option);
  Quiet();
  Dispatch([&] { Main().ApplyWallpaper("c:\\b\\b1.bmp"); });
  EXPECT_THAT(fake.desktop.ScreenRequests(), IsEmpty());
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\a\\a2.bmp", "c:\\b\\b1.bmp"));
  EXPECT_EQ(Options().ChBParEcran.Enabled(), c.systemCan);
  Dispatch([&] { Main().FormScreenChange(); });
  EXPECT_THAT(fake.desktop.FollowedScreens(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnePictureForAll,
    ::testing::Values(OnePictureCase{"one screen", {"DP-1"}, true, true},
                      OnePictureCase{"option off", {"DP-1", "HDMI-1"}, false, true},
                      OnePictureCase{"system cannot", {"DP-1", "HDMI-1"}, true, false}));

}  // namespace
}  // namespace fondex::test
