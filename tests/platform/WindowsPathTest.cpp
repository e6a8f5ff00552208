#include "platform/posix/WindowsPath.h"

#include <gtest/gtest.h>

#include "platform/posix/Wildcard.h"

namespace fondex::platform::posix {
namespace {

TEST(ExpandFullPath, RelativeNamesFollowTheCurrentDirectory) {
  EXPECT_EQ(ExpandFullPath("mer.bmp", "C:\\images"), "C:\\images\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("mer.bmp", "C:\\"), "C:\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("sub\\..\\mer.bmp", "c:\\images"), "c:\\images\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("..\\..\\..", "C:\\a\\b"), "C:\\");
  EXPECT_EQ(ExpandFullPath(".", "C:\\a\\b"), "C:\\a\\b");
}

TEST(ExpandFullPath, DriveAndRootPrefixes) {
  EXPECT_EQ(ExpandFullPath("\\fonds\\mer.bmp", "D:\\images"), "D:\\fonds\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("e:\\x", "D:\\images"), "e:\\x");
  // Drive-relative: the current directory when it is on that drive, else the drive's root.
  EXPECT_EQ(ExpandFullPath("d:mer.bmp", "D:\\images"), "D:\\images\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("e:mer.bmp", "D:\\images"), "e:\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("D:", "d:\\images"), "d:\\images");
  EXPECT_EQ(ExpandFullPath("E:", "d:\\images"), "E:\\");
}

TEST(ExpandFullPath, SeparatorsAndDotComponentsFold) {
  EXPECT_EQ(ExpandFullPath("C:\\\\images\\\\\\mer.bmp", "D:\\"), "C:\\images\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("C:/images/./fonds/../mer.bmp", "D:\\"), "C:\\images\\mer.bmp");
  EXPECT_EQ(ExpandFullPath("C:\\images\\.", "D:\\"), "C:\\images");
  EXPECT_EQ(ExpandFullPath("C:\\images\\", "D:\\"), "C:\\images\\");
  EXPECT_EQ(ExpandFullPath("C:\\..", "D:\\"), "C:\\");
  EXPECT_EQ(ExpandFullPath("*.bmp", "C:\\x"), "C:\\x\\*.bmp");
}

TEST(ExpandFullPath, RefusesEmptyAndNetworkNames) {
  EXPECT_EQ(ExpandFullPath("", "C:\\"), std::nullopt);
  EXPECT_EQ(ExpandFullPath("\\\\serveur\\partage\\x", "C:\\"), std::nullopt);
}

TEST(MatchesPattern, WildcardsIgnoreAsciiCaseOnly) {
  EXPECT_TRUE(MatchesPattern("*.BMP", "mer.bmp"));
  EXPECT_TRUE(MatchesPattern("*.bmp", "a.b.BMP"));
  EXPECT_FALSE(MatchesPattern("*.bmp", "mer.bmpx"));
  EXPECT_FALSE(MatchesPattern("*.bmp", "bmp"));
  EXPECT_TRUE(MatchesPattern("m?r*", "mer.bmp"));
  EXPECT_FALSE(MatchesPattern("m?r", "mr"));
  EXPECT_TRUE(MatchesPattern("*a*b*c", "xxaxxbxxbxc"));
  EXPECT_TRUE(MatchesPattern("\xC9T\xC9.bmp", "\xC9t\xC9.BMP"));
  EXPECT_FALSE(MatchesPattern("\xC9t\xE9.bmp", "\xE9t\xE9.bmp"));
}

TEST(MatchesPattern, NamesWithoutExtensionAndDotEntries) {
  EXPECT_TRUE(MatchesPattern("*.*", "LISEZMOI"));
  EXPECT_TRUE(MatchesPattern("*.", "LISEZMOI"));
  EXPECT_FALSE(MatchesPattern("*.", "mer.bmp"));
  EXPECT_TRUE(MatchesPattern("*", "."));
  EXPECT_TRUE(MatchesPattern("*.*", ".."));
  EXPECT_TRUE(MatchesPattern(".", "."));
  EXPECT_FALSE(MatchesPattern(".", ".."));
  EXPECT_FALSE(MatchesPattern(".", "x"));
}

}  // namespace
}  // namespace fondex::platform::posix
