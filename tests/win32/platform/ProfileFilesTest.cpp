#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/win32/Win32ProfileFiles.h"

namespace fondex::platform::win32 {
namespace {

using win32test::TempFolder;

TEST(Win32ProfileFiles, ReadsOneKeyIgnoringCaseAndCutsToTheBuffer) {
  TempFolder folder;
  folder.Write("FONDEX.INI",
               "[Options]\r\nHasardTech=Successif\r\nD\xE9lai= 70\r\n[Placement]\r\nTop=12\r\n");
  const std::string file = folder.Join("FONDEX.INI");
  Win32ProfileFiles profiles;
  const struct {
    std::string section;
    std::string key;
    std::size_t buffer;
    std::string expected;
  } cases[] = {
      {"Options", "HasardTech", 256, "Successif"},
      {"OPTIONS", "hasardtech", 256, "Successif"},
      {"Options", "HasardTech", 5, "Succ"},
      {"Options", "HasardTech", 0, ""},
      {"Options", "D\xE9lai", 256, "70"},
      {"Placement", "Top", 256, "12"},
      {"Placement", "Left", 256, "-"},
      {"Absente", "Top", 256, "-"},
  };
  for (const auto& [section, key, buffer, expected] : cases) {
    EXPECT_EQ(profiles.GetString(file, section, key, "-", buffer), expected)
        << section << "." << key << " in " << buffer;
  }
  EXPECT_EQ(profiles.GetString(folder.Join("absent.ini"), "Options", "Auto", "Non", 256), "Non");
}

TEST(Win32ProfileFiles, WritingKeepsEveryOtherLineAndTheAccentedKeysByte) {
  TempFolder folder;
  folder.Write("FONDEX.INI", "; r\xE9glages\r\n[Options]\r\nAuto=Oui\r\nD\xE9lai=15\r\n");
  const std::string file = folder.Join("FONDEX.INI");
  Win32ProfileFiles profiles;
  ASSERT_TRUE(profiles.WriteString(file, "Options", "D\xE9lai", " 70"));
  ASSERT_TRUE(profiles.WriteString(file, "Placement", "Top", "12"));
  const std::string written = folder.Read("FONDEX.INI");
  EXPECT_NE(written.find("; r\xE9glages\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("Auto=Oui\r\n"), std::string::npos) << written;
  // The system may keep or drop the value's leading blank; readers never see it.
  const auto key = written.find("D\xE9lai=");
  ASSERT_NE(key, std::string::npos) << written;
  EXPECT_EQ(written.find("lai=", key + 6), std::string::npos) << "the key twice: " << written;
  EXPECT_NE(written.find("70\r\n", key), std::string::npos) << written;
  EXPECT_NE(written.find("[Placement]\r\nTop=12\r\n"), std::string::npos) << written;
  EXPECT_EQ(profiles.GetString(file, "Options", "D\xE9lai", "", 256), "70");
  EXPECT_FALSE(profiles.WriteString(folder.Join("absent\\FONDEX.INI"), "Options", "Auto", "Oui"));
  // A value with a line end of its own would add lines to the file.
  EXPECT_FALSE(profiles.WriteString(file, "Options", "Auto", "Oui\r\n[x]"));
  EXPECT_FALSE(profiles.WriteString(file, "Options", "Au\nto", "Oui"));
  EXPECT_EQ(folder.Read("FONDEX.INI"), written);
}

}  // namespace
}  // namespace fondex::platform::win32
