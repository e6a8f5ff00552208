#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TempFolder.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {
namespace {

using win32test::TempFolder;

// Name and attributes of every entry found, in name order.
std::map<std::string, std::uint32_t> Found(Win32FileSystem& files, const std::string& pattern) {
  std::map<std::string, std::uint32_t> found;
  for (const FoundEntry& entry : files.FindEntries(pattern)) {
    found[entry.name] = entry.attributes;
  }
  return found;
}

class Win32FileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Mer.BMP", "m");
    folder_.Write("ciel.bmp", "c");
    folder_.Write("notes.txt", "n");
    folder_.Write("cache.bmp", "h");
    folder_.Write("fige.bmp", "f");
    ::CreateDirectoryA(folder_.Join("Images.bmp").c_str(), nullptr);
    ::SetFileAttributesA(folder_.Join("cache.bmp").c_str(),
                         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesA(folder_.Join("fige.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  }

  TempFolder folder_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, SearchesByPatternIgnoringCaseAndReportsTheSystemsAttributes) {
  const std::uint32_t file = kArchive;
  const struct {
    std::string pattern;
    std::map<std::string, std::uint32_t> expected;
  } cases[] = {
      {"*.BMP",
       {{"Mer.BMP", file},
        {"ciel.bmp", file},
        {"cache.bmp", file | kHidden | kSystem},
        {"fige.bmp", file | kReadOnly},
        {"Images.bmp", kDirectory}}},
      {"?ER.*", {{"Mer.BMP", file}}},
      {"notes.txt", {{"notes.txt", file}}},
      {"absent.bmp", {}},
      {"absent\\*.*", {}},
  };
  for (const auto& [pattern, expected] : cases) {
    EXPECT_EQ(Found(files_, folder_.Join(pattern)), expected) << pattern;
  }
  const auto all = Found(files_, folder_.Join("*"));
  EXPECT_EQ(all.size(), 8U) << "five files, a folder, . and ..";
  EXPECT_EQ(all.at("."), kDirectory);
}

TEST_F(Win32FileSystemTest, AttributesOfOneEntry) {
  EXPECT_EQ(files_.GetAttributes(folder_.Join("fige.bmp")), kReadOnly | kArchive);
  EXPECT_EQ(files_.GetAttributes(folder_.Join("CACHE.BMP")), kHidden | kSystem | kArchive);
  EXPECT_EQ(files_.GetAttributes(folder_.Join("Images.bmp")), kDirectory);
  EXPECT_EQ(files_.GetAttributes(folder_.Join("absent.bmp")), std::nullopt);
}

TEST_F(Win32FileSystemTest, FullPathsAgainstTheCurrentDirectory) {
  ASSERT_TRUE(files_.SetCurrentDirectory(folder_.Join("Images.bmp")));
  EXPECT_EQ(files_.GetCurrentDirectory(), folder_.Join("Images.bmp"));
  const struct {
    std::string name;
    std::string expected;
  } cases[] = {
      {"mer.bmp", folder_.Join("Images.bmp\\mer.bmp")},
      {"..\\ciel.bmp", folder_.Join("ciel.bmp")},
      {".\\a\\..\\b.bmp", folder_.Join("Images.bmp\\b.bmp")},
      {"c:\\x\\y.bmp", "c:\\x\\y.bmp"},
      {"d:\\", "d:\\"},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(files_.GetFullPathName(name), expected) << name;
  }
  EXPECT_EQ(files_.GetFullPathName(std::string(300, 'a')), std::nullopt) << "longer than a path";
  EXPECT_FALSE(files_.SetCurrentDirectory(folder_.Join("absent")));
  EXPECT_EQ(files_.GetCurrentDirectory(), folder_.Join("Images.bmp"));
}

TEST_F(Win32FileSystemTest, DeletesPlainFilesOnly) {
  EXPECT_TRUE(files_.DeleteFile(folder_.Join("ciel.bmp")));
  EXPECT_EQ(files_.GetAttributes(folder_.Join("ciel.bmp")), std::nullopt);
  EXPECT_FALSE(files_.DeleteFile(folder_.Join("fige.bmp"))) << "read-only";
  EXPECT_FALSE(files_.DeleteFile(folder_.Join("Images.bmp"))) << "a folder";
  EXPECT_FALSE(files_.DeleteFile(folder_.Join("absent.bmp")));
  EXPECT_TRUE(files_.GetAttributes(folder_.Join("fige.bmp")).has_value());
}

TEST_F(Win32FileSystemTest, AtomicWritesReplaceWholeFilesAndLeaveNothingBeside) {
  const std::string big(3 << 20, 'x');  // more than one write call
  for (const std::string& bytes : {std::string("C:\\images\r\n2\r\n"), std::string(), big}) {
    ASSERT_TRUE(files_.WriteFileAtomic(folder_.Join("FONDEX.DAT"), bytes));
    EXPECT_EQ(files_.ReadFile(folder_.Join("FONDEX.DAT")), bytes);
  }
  EXPECT_EQ(Found(files_, folder_.Join("FONDEX.DAT*")).size(), 1U);

  EXPECT_FALSE(files_.WriteFileAtomic(folder_.Join("fige.bmp"), "new"));
  EXPECT_EQ(folder_.Read("fige.bmp"), "f");
  EXPECT_FALSE(files_.WriteFileAtomic(folder_.Join("Images.bmp"), "new"));
  EXPECT_FALSE(files_.WriteFileAtomic(folder_.Join("absent\\FONDEX.DAT"), "new"));
  EXPECT_EQ(files_.ReadFile(folder_.Join("absent.bmp")), std::nullopt);
  EXPECT_EQ(files_.ReadFile(folder_.Join("Images.bmp")), std::nullopt);
}

TEST_F(Win32FileSystemTest, DrivesAndTheProgramsOwnPath) {
  const auto system = files_.GetDiskFreeSpace("C:\\");
  ASSERT_TRUE(system.has_value());
  EXPECT_GT(system->totalClusters, 0U);
  EXPECT_GE(system->totalClusters, system->freeClusters);
  EXPECT_GT(system->bytesPerSector * system->sectorsPerCluster, 0U);
  EXPECT_EQ(files_.GetDiskFreeSpace("Q:\\"), std::nullopt);

  const std::string self = files_.ExecutablePath();
  EXPECT_TRUE(self.ends_with("\\fondex_win32_tests.exe")) << self;
  EXPECT_EQ(self[1], ':') << self;
}

}  // namespace
}  // namespace fondex::platform::win32
