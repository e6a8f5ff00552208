#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/FakeFileSystem.h"
#include "util/Paths.h"

namespace fondex::util {
namespace {

using platform::kArchive;
using platform::kDirectory;
using platform::kHidden;
using platform::kReadOnly;
using platform::kSystem;
using platform::kVolumeLabel;
using test::DriveState;
using test::FakeFileSystem;

TEST(PathTrimming, RemovesOneSuffixAndKeepsEverythingElse) {
  EXPECT_EQ(WithoutTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(WithoutTrailingBackslash("\\"), "");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\IMAGES"), "C:\\IMAGES");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\IMAGES\\\\"), "C:\\IMAGES\\");

  EXPECT_EQ(WithoutDirSuffix("C:\\WINDOWS\\."), "C:\\WINDOWS");
  EXPECT_EQ(WithoutDirSuffix("C:\\WINDOWS\\"), "C:\\WINDOWS");
  EXPECT_EQ(WithoutDirSuffix("C:\\."), "C:");
  EXPECT_EQ(WithoutDirSuffix("A:."), "A:");
  EXPECT_EQ(WithoutDirSuffix("C:\\IMAGES.."), "C:\\IMAGES.");

  EXPECT_EQ(WithDirDot("C:"), "C:\\.");
  EXPECT_EQ(WithDirDot("C:\\"), "C:\\.");
  EXPECT_EQ(WithDirDot("C:\\IMAGES"), "C:\\IMAGES\\.");

  EXPECT_EQ(NameAfterLastBackslash("C:\\IMAGES\\FORET.BMP"), "FORET.BMP");
  EXPECT_EQ(NameAfterLastBackslash("FORET.BMP"), "FORET.BMP");
  EXPECT_EQ(NameAfterLastBackslash("C:\\IMAGES\\"), "");
  EXPECT_EQ(NameAfterLastBackslash("A:WALL.BMP"), "A:WALL.BMP");
  EXPECT_EQ(NameAfterLastBackslash("c:/images/mer.bmp"), "c:/images/mer.bmp");

  EXPECT_EQ(DirectoryPart("c:\\images\\mer.bmp"), "c:\\images\\");
  EXPECT_EQ(DirectoryPart("a:wall.bmp"), "a:");
  EXPECT_EQ(DirectoryPart("wall.bmp"), "");
}

TEST(PathTrimming, EmptyTextGivesEmptyText) {
  EXPECT_EQ(WithoutTrailingBackslash(""), "");
  EXPECT_EQ(WithoutDirSuffix(""), "");
  EXPECT_EQ(WithoutDirSuffix("."), "");
  EXPECT_EQ(NameAfterLastBackslash(""), "");
  EXPECT_EQ(DirectoryPart(""), "");
  EXPECT_EQ(LowerAscii(""), "");
}

TEST(PathTrimming, LowerAsciiLowersOnlyAToZ) {
  EXPECT_EQ(LowerAscii("C:\\IMAGES\\Forêt@[Z].BMP"), "c:\\images\\forêt@[z].bmp");
  EXPECT_EQ(LowerAscii("\xC9T\xC9"), "\xC9t\xC9");  // accented capitals stay
}

TEST(AttributeMask, SkipsSpecialEntriesTheMaskDoesNotHold) {
  const std::uint32_t plain = kArchive | kReadOnly;
  for (std::uint32_t mask : {kMaskDirectories, kMaskHiddenFiles, kMaskAnyEntry, 0u}) {
    EXPECT_TRUE(Admitted(plain, mask));
  }
  EXPECT_TRUE(Admitted(kDirectory, kMaskDirectories));
  EXPECT_FALSE(Admitted(kDirectory | kHidden, kMaskDirectories));
  EXPECT_FALSE(Admitted(kDirectory, kMaskHiddenFiles));
  EXPECT_TRUE(Admitted(kHidden | kSystem | kArchive, kMaskHiddenFiles));
  EXPECT_FALSE(Admitted(kVolumeLabel, kMaskHiddenFiles));
  EXPECT_TRUE(Admitted(kDirectory | kHidden | kSystem, kMaskAnyEntry));
}

class PathTests : public ::testing::Test {
 protected:
  PathTests() {
    files.AddDrive('A', DriveState::kNoMedium);
    files.AddDirectory("C:\\IMAGES");
    files.AddFile("C:\\IMAGES\\MER.BMP");
    files.AddFile("C:\\IMAGES\\CACHE.BMP", "", kHidden | kArchive);
    files.AddFile("C:\\IMAGES\\SYS.BMP", "", kSystem | kReadOnly);
    files.AddDirectory("C:\\SECRET", kDirectory | kHidden);
    files.AddFile("C:\\DISQUE", "", kVolumeLabel);
  }

  FakeFileSystem files;
};

TEST_F(PathTests, IsValidDriveAcceptsOnlyABareReadableDrive) {
  for (const char* path : {"c:", "C:", "C:\\", "C:\\.", "c:."}) {
    EXPECT_TRUE(IsValidDrive(files, path)) << path;
  }
  for (const char* path :
       {"A:", "A:\\", "D:", "1:", "@:", "\xE9:", "C:\\IMAGES", "C", "", "C:\\\\"}) {
    EXPECT_FALSE(IsValidDrive(files, path)) << path;
  }
}

TEST_F(PathTests, IsValidDriveComputesTheSizeWithoutWrapping) {
  // 64 x 512 x 131072 bytes is 2^32, and 2^22 cubed is 2^66: both wrap to 0 in fixed widths.
  files.AddDrive('E', DriveState::kReady, {64, 512, 0, 131072});
  files.AddDrive('F', DriveState::kReady, {1u << 22, 1u << 22, 0, 1u << 22});
  const std::uint32_t most = std::numeric_limits<std::uint32_t>::max();
  files.AddDrive('G', DriveState::kReady, {most, most, most, most});
  files.AddDrive('H', DriveState::kReady, {8, 512, 0, 0});
  EXPECT_TRUE(IsValidDrive(files, "E:"));
  EXPECT_TRUE(IsValidDrive(files, "F:"));
  EXPECT_TRUE(IsValidDrive(files, "G:"));
  EXPECT_FALSE(IsValidDrive(files, "H:"));
}

TEST_F(PathTests, IsDirectoryKnowsDirectoriesAndDriveRoots) {
  for (const char* path : {"C:\\", "C:", "c:\\images", "C:\\IMAGES\\", "C:\\images\\."}) {
    EXPECT_TRUE(IsDirectory(files, path)) << path;
  }
  // A hidden directory's "." entry is hidden, so the directory search skips it.
  for (const char* path : {"C:\\SECRET", "C:\\IMAGES\\MER.BMP", "C:\\NULLEPART", "A:", "A:\\",
                           "D:\\", "\\\\serveur\\partage", ""}) {
    EXPECT_FALSE(IsDirectory(files, path)) << path;
  }
}

TEST_F(PathTests, IsDirectoryAsksTheDiskAgainEveryTime) {
  EXPECT_TRUE(IsDirectory(files, "C:\\IMAGES"));
  files.Remove("C:\\IMAGES");
  EXPECT_FALSE(IsDirectory(files, "C:\\IMAGES"));
  files.AddDirectory("C:\\IMAGES");
  EXPECT_TRUE(IsDirectory(files, "C:\\IMAGES"));
}

TEST_F(PathTests, IsPlainFileAcceptsHiddenSystemAndReadOnlyFiles) {
  for (const char* path : {"C:\\IMAGES\\MER.BMP", "c:\\images\\cache.bmp", "C:\\IMAGES\\SYS.BMP"}) {
    EXPECT_TRUE(IsPlainFile(files, path)) << path;
  }
  for (const char* path : {"C:\\IMAGES", "C:\\IMAGES\\", "C:\\IMAGES\\MER.BMP.", "C:\\",
                           "C:", "C:\\DISQUE", "C:\\IMAGES\\*.BMP", "C:\\IMAGES\\ABSENT.BMP", ""}) {
    EXPECT_FALSE(IsPlainFile(files, path)) << path;
  }
}

TEST_F(PathTests, EntryExistsLimitsItselfToFilesWhenAsked) {
  EXPECT_TRUE(EntryExists(files, "C:\\IMAGES", false));
  EXPECT_FALSE(EntryExists(files, "C:\\IMAGES", true));
  EXPECT_TRUE(EntryExists(files, "C:\\SECRET", false));
  EXPECT_FALSE(EntryExists(files, "C:\\SECRET", true));
  for (bool filesOnly : {false, true}) {
    EXPECT_TRUE(EntryExists(files, "C:\\IMAGES\\CACHE.BMP", filesOnly));
    EXPECT_TRUE(EntryExists(files, "C:\\IMAGES\\SYS.BMP", filesOnly));
    EXPECT_TRUE(EntryExists(files, "c:\\images\\m?r.*", filesOnly));
    EXPECT_FALSE(EntryExists(files, "C:\\IMAGES\\ABSENT.BMP", filesOnly));
    EXPECT_FALSE(EntryExists(files, "", filesOnly));
  }
  EXPECT_FALSE(EntryExists(files, "C:\\DISQUE", true));
}

TEST(MinMax, CompareSigned32BitIntegers) {
  EXPECT_EQ(MinOf(0, -1), -1);
  EXPECT_EQ(MinOf(0, 5), 0);
  EXPECT_EQ(MaxOf(0, -1), 0);
  EXPECT_EQ(MaxOf(-3, 7), 7);
  const std::int32_t low = std::numeric_limits<std::int32_t>::min();
  const std::int32_t high = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(MinOf(low, high), low);
  EXPECT_EQ(MaxOf(low, high), high);
}

}  // namespace
}  // namespace fondex::util
