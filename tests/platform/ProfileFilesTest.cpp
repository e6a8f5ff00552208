#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "Scratch.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/ProfileText.h"

namespace fondex::platform::posix {
namespace {

constexpr std::string_view kSettings =
    "; r\xE9glages\r\n"
    "[Options]\r\n"
    "  D\xE9lai = 15  \r\n"
    "Inconnue=garde\r\n"
    "\r\n"
    "[Placement]\r\n"
    "Gauche=10\r\n"
    "[options]\r\n"
    "d\xE9lai=99\r\n"
    "Vide=\r\n";

TEST(ProfileText, FindsTheFirstEntryIgnoringAsciiCase) {
  EXPECT_EQ(FindProfileValue(kSettings, "OPTIONS", "D\xE9LAI"), "15");
  EXPECT_EQ(FindProfileValue(kSettings, "options", "D\xC9lai"), std::nullopt);  // not ASCII
  EXPECT_EQ(FindProfileValue(kSettings, "Placement", "gauche"), "10");
  EXPECT_EQ(FindProfileValue(kSettings, "Options", "Vide"), "");
  EXPECT_EQ(FindProfileValue(kSettings, "Placement", "Inconnue"), std::nullopt);
  EXPECT_EQ(FindProfileValue(kSettings, "Absente", "Gauche"), std::nullopt);
  EXPECT_EQ(FindProfileValue("[A]\nk=v", "a", "K"), "v");
  EXPECT_EQ(FindProfileValue("[A]\n;k=v\n", "a", ";k"), std::nullopt);
}

TEST(ProfileText, WritingKeepsEveryOtherLine) {
  EXPECT_EQ(WithProfileValue(kSettings, "options", "d\xE9lai", "30"),
            "; r\xE9glages\r\n[Options]\r\nD\xE9lai=30\r\nInconnue=garde\r\n\r\n"
            "[Placement]\r\nGauche=10\r\n[options]\r\nd\xE9lai=99\r\nVide=\r\n");
  EXPECT_EQ(WithProfileValue(kSettings, "Placement", "Haut", "5"),
            "; r\xE9glages\r\n[Options]\r\n  D\xE9lai = 15  \r\nInconnue=garde\r\n\r\n"
            "[Placement]\r\nGauche=10\r\nHaut=5\r\n[options]\r\nd\xE9lai=99\r\nVide=\r\n");
  // A new key joins the first section of that name, before the blank lines that end it.
  EXPECT_EQ(WithProfileValue("[A]\nx=1\n\n[B]\n", "a", "y", "2"), "[A]\nx=1\ny=2\n\n[B]\n");
  EXPECT_EQ(WithProfileValue("[A]\nx=1", "A", "y", "2"), "[A]\nx=1\ny=2\n");
  EXPECT_EQ(WithProfileValue("; seul\n", "Desktop", "Wallpaper", "c:\\m.bmp"),
            "; seul\n[Desktop]\nWallpaper=c:\\m.bmp\n");
  EXPECT_EQ(WithProfileValue("", "Desktop", "Wallpaper", ""), "[Desktop]\r\nWallpaper=\r\n");
  // A last line cut after its CR gets its LF, so that it reads as it did: still a section.
  EXPECT_EQ(WithProfileValue("x\r\n[A\r", "A", "y", "2"), "x\r\n[A\r\ny=2\r\n");
  EXPECT_EQ(WithProfileValue("[B]\r", "A", "y", "2"), "[B]\r\n[A]\r\ny=2\r\n");
}

class ProfileFilesTest : public testing::ScratchTest {
 protected:
  PosixPlatform platform_;
  PosixProfileFiles& profiles_ = platform_.Profiles();
};

TEST_F(ProfileFilesTest, BareNamesLiveInThePlatformDirectory) {
  Write("platform/win.ini", "[Desktop]\nWallpaper=c:\\images\\mer.bmp\n");
  EXPECT_EQ(profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "-", 1024),
            "c:\\images\\mer.bmp");
  EXPECT_EQ(profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "-", 8), "c:\\imag");
  EXPECT_EQ(profiles_.GetString("WIN.INI", "Desktop", "Wallpaper", "-", 0), "");
  EXPECT_EQ(profiles_.GetString("WIN.INI", "Desktop", "Absente",
                                "d\xE9"
                                "faut",
                                1024),
            "d\xE9"
            "faut");
  EXPECT_EQ(profiles_.GetString("SYSTEM.INI", "Desktop", "Wallpaper", "rien", 3), "ri");

  EXPECT_TRUE(profiles_.WriteString("Win.Ini", "desktop", "WALLPAPER", ""));
  EXPECT_EQ(Read("platform/win.ini"), "[Desktop]\nWallpaper=\n");
}

TEST_F(ProfileFilesTest, PathsAreWindowsShapedAndMissingFilesAreCreated) {
  MakeDirectory("Prog");
  const std::string settings = Windows("prog\\fondex.ini");
  EXPECT_TRUE(profiles_.WriteString(settings, "Options", "D\xE9lai", "15"));
  EXPECT_TRUE(profiles_.WriteString(settings, "Options", "Auto", "1"));
  EXPECT_TRUE(profiles_.WriteString(settings, "Placement", "Gauche", "10"));
  EXPECT_EQ(Read("Prog/fondex.ini"),
            "[Options]\r\nD\xE9lai=15\r\nAuto=1\r\n[Placement]\r\nGauche=10\r\n");
  EXPECT_EQ(profiles_.GetString(settings, "OPTIONS", "D\xE9LAI", "", 16), "15");
  EXPECT_EQ(profiles_.GetString(settings, "Options", "D\xC9LAI", "?", 16), "?");
}

TEST_F(ProfileFilesTest, FailedWriteReportsAndKeepsTheOldFile) {
  Write("lecture.ini", "[Options]\nAuto=0\n");
  ::chmod(Posix("lecture.ini").c_str(), 0444);
  MakeDirectory("dossier.ini");
  Write("fichier", "");

  EXPECT_FALSE(profiles_.WriteString(Windows("lecture.ini"), "Options", "Auto", "1"));
  EXPECT_EQ(Read("lecture.ini"), "[Options]\nAuto=0\n");
  EXPECT_FALSE(profiles_.WriteString(Windows("dossier.ini"), "Options", "Auto", "1"));
  EXPECT_FALSE(profiles_.WriteString(Windows("fichier\\x.ini"), "Options", "Auto", "1"));
  EXPECT_FALSE(profiles_.WriteString("", "Options", "Auto", "1"));
}

TEST_F(ProfileFilesTest, NothingThatWouldBreakItsLineIsWritten) {
  const std::string before = "[Desktop]\r\nWallpaper=c:\\mer.bmp\r\n";
  Write("platform/WIN.INI", before);
  const struct {
    std::string section, key, value;
  } cases[] = {
      {"Desktop", "Wallpaper", "c:\\ok\nTileWallpaper=1\n[x]\n.bmp"},
      {"Desktop", "Wallpaper", "c:\\ok\r.bmp"},
      {"Desktop", "Wallpaper", std::string("c:\\ok\0.bmp", 10)},
      {"Desktop", "Tile\nWallpaper", "1"},
      {"Desk\r\ntop", "Wallpaper", "1"},
  };
  for (const auto& [section, key, value] : cases) {
    EXPECT_FALSE(profiles_.WriteString("WIN.INI", section, key, value)) << value;
    EXPECT_FALSE(profiles_.WriteString(Windows("neuf.ini"), section, key, value)) << value;
  }
  EXPECT_EQ(Read("platform/WIN.INI"), before);
  EXPECT_FALSE(std::filesystem::exists(Posix("neuf.ini")));
}

}  // namespace
}  // namespace fondex::platform::posix
