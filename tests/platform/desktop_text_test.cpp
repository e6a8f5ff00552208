#include <gtest/gtest.h>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"

namespace fondex::platform::posix::desktop {
namespace {

const std::string kAwkwardPath =
    "/home/a/l'été \"x\" $HOME;`id`\\\n%41\xE9.bmp";  // the last byte before ".bmp" is Latin-1

TEST(DesktopText, FileUrisCarryEveryByte) {
  const std::string uri = FileUri(kAwkwardPath);
  EXPECT_EQ(uri,
            "file:///home/a/l%27%C3%A9t%C3%A9%20%22x%22%20%24HOME%3B%60id%60%5C%0A%2541%E9.bmp");
  EXPECT_EQ(PathOfFileUri(uri), kAwkwardPath);
  EXPECT_EQ(PathOfFileUri("file://localhost/a/b%20c.bmp"), "/a/b c.bmp");
  EXPECT_EQ(PathOfFileUri("file:/a/./b.bmp"), "/a/./b.bmp");
  EXPECT_FALSE(PathOfFileUri("https://example.org/a.bmp").has_value());
  EXPECT_FALSE(PathOfFileUri("file://host").has_value());
  EXPECT_EQ(LexicallyNormal("/a/./b//c/../d.bmp"), "/a/b/d.bmp");
}

TEST(DesktopText, GSettingsStringsGoThereAndBack) {
  const std::string utf8Path = "/home/a/l'été \\ \"x\"\n\t.bmp";
  const std::string literal = GVariantStringLiteral(utf8Path);
  EXPECT_EQ(literal, "'/home/a/l\\'été \\\\ \"x\"\\u000A\\u0009.bmp'");
  EXPECT_EQ(ParseGVariantString(literal + "\n"), utf8Path);
  // How the tool prints a string holding a single quote, and characters it escapes.
  EXPECT_EQ(ParseGVariantString("\"it's \\\"here\\\" \\n\\u00e9\\U0001F600\"\n"),
            "it's \"here\" \n\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(ParseGVariantString("''"), "");
  EXPECT_FALSE(ParseGVariantString("@as []").has_value());
  EXPECT_FALSE(ParseGVariantString("'unterminated").has_value());
}

TEST(DesktopText, JavaScriptLiteralsCannotBeEndedByTheirText) {
  EXPECT_EQ(JavaScriptStringLiteral("x'); runCommand('touch /tmp/pwned"),
            "'x\\'); runCommand(\\'touch /tmp/pwned'");
  EXPECT_EQ(JavaScriptStringLiteral("a\\'\n\"b"), "'a\\\\\\'\\x0A\\\"b'");
}

TEST(DesktopText, QtSettingsValues) {
  EXPECT_EQ(QtSettingsText("/home/a/b.bmp"), "/home/a/b.bmp");
  EXPECT_EQ(QtSettingsText("\"/home/a/b, c.bmp\""), "/home/a/b, c.bmp");
  EXPECT_EQ(QtSettingsText("/home/a/\\x00e9t\\x00e9\"\"1.bmp"), "/home/a/été1.bmp");
  EXPECT_EQ(QtSettingsText("/a\\\\b\\\"c\\n.bmp"), "/a\\b\"c\n.bmp");
  EXPECT_EQ(QtSettingsText("/a.bmp, /b.bmp"), "/a.bmp");
}

TEST(DesktopText, QtSettingsLiteralsAreReadBackAsTheyWere) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/a/b.bmp", "/home/a/b.bmp"},
      {"/home/a/b, c.bmp", "\"/home/a/b, c.bmp\""},
      {"/a;b=c.bmp", "\"/a;b=c.bmp\""},
      {" /a.bmp ", "\" /a.bmp \""},
      {"/a\\b\"c.bmp", "/a\\\\b\\\"c.bmp"},
      // A hex digit after an escape would be read as part of it.
      {"/été 2a.bmp", "/\\x00E9t\\x00E9 2a.bmp"},
      {"/éa.bmp", "/\\x00E9\\x0061.bmp"},
      {"/\t.bmp", "/\\x0009.bmp"},
      {"/\xF0\x9F\x8C\x8A.bmp", "/\\xD83C\\xDF0A.bmp"},
  };
  for (const auto& [text, literal] : cases) {
    EXPECT_EQ(QtSettingsLiteral(text), literal) << text;
    EXPECT_EQ(QtSettingsText(literal), text) << literal;
  }
}

TEST(DesktopText, Utf8Validity) {
  EXPECT_TRUE(IsValidUtf8("/home/été/😀.bmp"));
  EXPECT_FALSE(IsValidUtf8("/home/\xE9t\xE9.bmp"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // an overlong slash
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
}

TEST(DesktopText, TheSameFileTwiceIsSpelledAnotherWay) {
  FreshSpelling spelling;
  EXPECT_EQ(spelling.For("/a/b.bmp"), "/a/b.bmp");
  EXPECT_EQ(spelling.For("/a/b.bmp"), "/a/./b.bmp");
  EXPECT_EQ(spelling.For("/a/b.bmp"), "/a/b.bmp");
  EXPECT_EQ(spelling.For("/a/c.bmp"), "/a/c.bmp");
  spelling.Seen("/a/./b.bmp");  // what the desktop holds, set by anyone
  EXPECT_EQ(spelling.For("/a/b.bmp"), "/a/b.bmp");
  spelling.Seen("/a/b.bmp");
  EXPECT_EQ(spelling.For("/a/b.bmp"), "/a/./b.bmp");
}

TEST(DesktopText, StyleFromTheProfile) {
  EXPECT_EQ(StyleFromProfile("", ""), WallpaperStyle::kCentred);
  EXPECT_EQ(StyleFromProfile("0", "0"), WallpaperStyle::kCentred);
  EXPECT_EQ(StyleFromProfile("1", "2"), WallpaperStyle::kTiled);
  EXPECT_EQ(StyleFromProfile(" 1", ""), WallpaperStyle::kTiled);
  EXPECT_EQ(StyleFromProfile("0", "2"), WallpaperStyle::kStretched);
  EXPECT_EQ(StyleFromProfile("", "2 ; étiré"), WallpaperStyle::kStretched);
  EXPECT_EQ(StyleFromProfile("11", "22"), WallpaperStyle::kCentred);
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
