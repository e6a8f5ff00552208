#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "Scratch.h"
#include "platform/posix/DirectoryListing.h"
#include "platform/posix/Handles.h"
#include "platform/posix/PosixPlatform.h"

namespace fondex::platform::posix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::string Lowered(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::vector<std::string> NamesOf(const std::vector<FoundEntry>& entries) {
  std::vector<std::string> names;
  for (const FoundEntry& entry : entries) {
    names.push_back(entry.name);
  }
  return names;
}

class FileSystemTest : public testing::ScratchTest {
 protected:
  PosixPlatform platform_;
  PosixFileSystem& files_ = platform_.Files();
};

TEST_F(FileSystemTest, ComponentsResolveIgnoringCaseExactNameFirst) {
  MakeDirectory("Images");
  Write("Images/Mer.BMP", "mer");
  Write("Images/x.bmp", "small");
  Write("Images/X.BMP", "capital");

  EXPECT_EQ(files_.ReadFile(Lowered(Windows("Images\\Mer.BMP"))), "mer");
  EXPECT_THAT(NamesOf(files_.FindEntries(Windows("IMAGES\\MER.BMP"))), ElementsAre("Mer.BMP"));
  EXPECT_EQ(files_.ReadFile(Windows("images\\x.bmp")), "small");
  EXPECT_EQ(files_.ReadFile(Windows("images\\X.BMP")), "capital");
  EXPECT_THAT(NamesOf(files_.FindEntries(Windows("images\\X.BMP"))), ElementsAre("X.BMP"));

  // Nothing is remembered between calls: a renamed entry is found under its new name.
  std::filesystem::rename(Posix("Images/Mer.BMP"), Posix("Images/MER.bmp"));
  EXPECT_THAT(NamesOf(files_.FindEntries(Windows("images\\mer.bmp"))), ElementsAre("MER.bmp"));
  EXPECT_EQ(files_.GetAttributes(Windows("images\\absent.bmp")), std::nullopt);
}

TEST_F(FileSystemTest, AttributesOfFilesAndDirectories) {
  MakeDirectory("d/.cache");
  Write("d/.cache.bmp", "");
  Write("d/mer.bmp", "");
  Write("d/lecture.bmp", "");
  ::chmod(Posix("d/lecture.bmp").c_str(), 0444);
  MakeDirectory("d/fige");
  ::chmod(Posix("d/fige").c_str(), 0555);

  EXPECT_EQ(files_.GetAttributes(Windows("d\\mer.bmp")), kArchive);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\.cache.bmp")), kArchive | kHidden);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\lecture.bmp")), kArchive | kReadOnly);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\.cache")), kDirectory | kHidden);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\.cache\\.")), kDirectory | kHidden);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\fige\\")), kDirectory | kReadOnly);
  EXPECT_EQ(files_.GetAttributes("C:\\"), kDirectory);
  EXPECT_EQ(files_.GetAttributes(Windows("d\\*.bmp")), std::nullopt);

  // A search tells no read-only entry, neither in a listing nor for a single name.
  EXPECT_THAT(files_.FindEntries(Windows("d\\*")),
              UnorderedElementsAre(
                  FoundEntry{".", kDirectory}, FoundEntry{"..", kDirectory},
                  FoundEntry{".cache", kDirectory | kHidden},
                  FoundEntry{".cache.bmp", kArchive | kHidden}, FoundEntry{"mer.bmp", kArchive},
                  FoundEntry{"lecture.bmp", kArchive}, FoundEntry{"fige", kDirectory}));
  EXPECT_THAT(files_.FindEntries(Windows("D\\LECTURE.BMP")),
              ElementsAre(FoundEntry{"lecture.bmp", kArchive}));
  EXPECT_THAT(files_.FindEntries(Windows("d\\fige")), ElementsAre(FoundEntry{"fige", kDirectory}));
}

// Links take the type of what they lead to; other entries keep the type readdir gives them.
TEST_F(FileSystemTest, LinksAndSpecialEntriesGetTheirType) {
  MakeDirectory("d/album");
  Write("d/mer.bmp", "");
  std::filesystem::create_directory_symlink(Posix("d/album"), Posix("d/vers-album"));
  std::filesystem::create_symlink(Posix("d/mer.bmp"), Posix("d/vers-mer.bmp"));
  std::filesystem::create_symlink(Posix("d/absent"), Posix("d/.perdu"));
  ASSERT_EQ(::mkfifo(Posix("d/tube").c_str(), 0644), 0);

  EXPECT_THAT(files_.FindEntries(Windows("d\\*")),
              UnorderedElementsAre(FoundEntry{".", kDirectory}, FoundEntry{"..", kDirectory},
                                   FoundEntry{"album", kDirectory}, FoundEntry{"mer.bmp", kArchive},
                                   FoundEntry{"vers-album", kDirectory},
                                   FoundEntry{"vers-mer.bmp", kArchive},
                                   FoundEntry{".perdu", kHidden}, FoundEntry{"tube", 0}));
  EXPECT_THAT(files_.FindEntries(Windows("d\\vers-album")),
              ElementsAre(FoundEntry{"vers-album", kDirectory}));
  EXPECT_EQ(files_.GetAttributes(Windows("d\\vers-mer.bmp")), kArchive);
}

// Some file systems give every entry the type DT_UNKNOWN: its status tells the type instead,
// and a known type is taken as it is.
TEST_F(FileSystemTest, EntriesOfUnknownTypeAreReadFromTheirStatus) {
  MakeDirectory("d/album");
  Write("d/mer.bmp", "");
  std::filesystem::create_directory_symlink(Posix("d/album"), Posix("d/lien"));
  const DirectoryHandle dir(::opendir(Posix("d").c_str()));
  ASSERT_TRUE(dir);
  const int fd = ::dirfd(dir.get());

  EXPECT_EQ(TypeAttributesAt(fd, "album", DT_UNKNOWN), kDirectory);
  EXPECT_EQ(TypeAttributesAt(fd, "mer.bmp", DT_UNKNOWN), kArchive);
  EXPECT_EQ(TypeAttributesAt(fd, "lien", DT_LNK), kDirectory);
  EXPECT_EQ(TypeAttributesAt(fd, "absent", DT_UNKNOWN), std::nullopt);
  EXPECT_EQ(TypeAttributesAt(fd, "absent", DT_REG), kArchive);
  EXPECT_EQ(TypeAttributesAt(fd, "album", DT_REG), kArchive);
  EXPECT_EQ(TypeAttributesAt(fd, "mer.bmp", DT_CHR), 0u);
}

TEST_F(FileSystemTest, SearchesMatchPatternsAndDotEntries) {
  MakeDirectory("d/sub");
  MakeDirectory("d/.cache");
  Write("d/a.bmp", "");
  Write("d/B.BMP", "");
  Write("d/c.txt", "");

  EXPECT_THAT(NamesOf(files_.FindEntries(Windows("d\\*.bmp"))),
              UnorderedElementsAre("a.bmp", "B.BMP"));
  EXPECT_THAT(NamesOf(files_.FindEntries(Windows("d/?.TXT"))), ElementsAre("c.txt"));
  EXPECT_THAT(files_.FindEntries(Windows("d\\sub\\.")), ElementsAre(FoundEntry{".", kDirectory}));
  EXPECT_THAT(files_.FindEntries(Windows("d\\.cache\\.")),
              ElementsAre(FoundEntry{".", kDirectory | kHidden}));
  EXPECT_THAT(files_.FindEntries(Windows("d\\sub\\..")), ElementsAre(FoundEntry{"..", kDirectory}));
  EXPECT_THAT(files_.FindEntries(Windows("d\\absent\\*")), IsEmpty());
  EXPECT_THAT(files_.FindEntries(Windows("d\\")), IsEmpty());
  EXPECT_THAT(files_.FindEntries(Windows("d\\*.gif")), IsEmpty());

  // A drive root has no "." entry.
  EXPECT_THAT(files_.FindEntries("C:\\."), IsEmpty());
  const auto root = NamesOf(files_.FindEntries("c:\\*"));
  EXPECT_THAT(root, ::testing::Contains("tmp"));
  EXPECT_THAT(root, ::testing::Not(::testing::Contains(".")));
  EXPECT_THAT(root, ::testing::Not(::testing::Contains("..")));

  ASSERT_TRUE(files_.SetCurrentDirectory(Windows("d")));
  EXPECT_THAT(NamesOf(files_.FindEntries("*.BMP")), UnorderedElementsAre("a.bmp", "B.BMP"));
  EXPECT_THAT(NamesOf(files_.FindEntries("sub\\..\\c.*")), ElementsAre("c.txt"));
  EXPECT_THAT(NamesOf(files_.FindEntries("\\tmp")), ElementsAre("tmp"));
}

// Enough entries for the directory to be read in several batches.
TEST_F(FileSystemTest, LargeDirectoriesKeepEveryEntryAndItsAttributes) {
  MakeDirectory("grand");
  std::vector<FoundEntry> expected;
  for (int i = 0; i < 9000; ++i) {
    const std::string name = (i % 11 == 0 ? "." : "") + std::to_string(i) + ".bmp";
    Write("grand/" + name, "");
    if (i % 7 == 0) {
      ::chmod(Posix("grand/" + name).c_str(), 0444);
    }
    expected.push_back({name, i % 11 == 0 ? kArchive | kHidden : kArchive});
  }
  std::vector<FoundEntry> found = files_.FindEntries(Windows("grand\\*.BMP"));
  const auto byName = [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; };
  std::ranges::sort(found, byName);
  std::ranges::sort(expected, byName);
  EXPECT_EQ(found, expected);
  EXPECT_EQ(files_.GetAttributes(Windows("grand\\.7007.bmp")), kArchive | kHidden | kReadOnly);
}

TEST_F(FileSystemTest, CurrentDirectoryKeepsTheProgramsSpelling) {
  MakeDirectory("Images/Mer");
  const std::string name = Lowered(Windows("Images\\Mer\\"));
  ASSERT_TRUE(files_.SetCurrentDirectory(name));
  EXPECT_EQ(std::filesystem::current_path(), Posix("Images/Mer"));
  EXPECT_EQ(files_.GetCurrentDirectory(), name.substr(0, name.size() - 1));
  EXPECT_EQ(files_.GetFullPathName("..\\fond.bmp"), Lowered(Windows("Images\\fond.bmp")));
  EXPECT_EQ(files_.GetFullPathName("\\x"), "c:\\x");

  EXPECT_FALSE(files_.SetCurrentDirectory(Windows("absent")));
  EXPECT_EQ(std::filesystem::current_path(), Posix("Images/Mer"));

  // The process's working directory stays the authority.
  ::chdir(Posix("Images").c_str());
  EXPECT_EQ(files_.GetCurrentDirectory(), Windows("Images"));
  ASSERT_TRUE(files_.SetCurrentDirectory("C:\\"));
  EXPECT_EQ(files_.GetCurrentDirectory(), "C:\\");
}

TEST_F(FileSystemTest, DeletedCurrentDirectoryIsNeverReplacedByAnother) {
  MakeDirectory("Images/Mer");
  Write("Images/fond.bmp", "fond");
  ASSERT_TRUE(files_.SetCurrentDirectory(Windows("Images\\Mer")));
  std::filesystem::remove(Posix("Images/Mer"));

  EXPECT_EQ(files_.GetCurrentDirectory(), Windows("Images\\Mer"));
  // Each name stays in the deleted folder, where it is not found.
  const struct {
    const char* name;
    std::string full;
  } names[] = {{"fond.bmp", Windows("Images\\Mer\\fond.bmp")},
               {"..\\fond.bmp", Windows("Images\\fond.bmp")},
               {".", Windows("Images\\Mer")}};
  for (const auto& n : names) {
    EXPECT_EQ(files_.GetFullPathName(n.name), n.full) << n.name;
  }
  EXPECT_EQ(files_.GetAttributes("fond.bmp"), std::nullopt);
  EXPECT_EQ(files_.ReadFile("fond.bmp"), std::nullopt);
  EXPECT_EQ(files_.ReadFile("..\\fond.bmp"), "fond");

  // Re-created under the same name, the folder is found again once the program goes there.
  MakeDirectory("Images/Mer");
  Write("Images/Mer/fond.bmp", "neuf");
  ASSERT_TRUE(files_.SetCurrentDirectory(Windows("Images\\Mer")));
  EXPECT_EQ(files_.ReadFile("fond.bmp"), "neuf");
}

TEST_F(FileSystemTest, FurtherDrivesAreLinksInThePlatformDirectory) {
  MakeDirectory("disque/photos");
  Write("disque/photos/mer.bmp", "mer");
  std::filesystem::create_directory_symlink(Posix("disque"), PlatformDirectory() + "/d:");
  std::filesystem::create_directory_symlink(Posix("absent"), PlatformDirectory() + "/e:");

  EXPECT_EQ(files_.ReadFile("D:\\Photos\\MER.BMP"), "mer");
  EXPECT_THAT(NamesOf(files_.FindEntries("d:\\photos\\*.bmp")), ElementsAre("mer.bmp"));
  EXPECT_THAT(files_.FindEntries("D:\\."), IsEmpty());
  EXPECT_THAT(NamesOf(files_.FindEntries("D:\\photos\\.")), ElementsAre("."));
  EXPECT_EQ(files_.GetAttributes("d:\\"), kDirectory);
  EXPECT_TRUE(files_.GetDiskFreeSpace("D:\\").has_value());
  EXPECT_FALSE(files_.GetDiskFreeSpace("E:\\").has_value());
  EXPECT_FALSE(files_.GetDiskFreeSpace("F:\\").has_value());
  EXPECT_FALSE(files_.GetDiskFreeSpace("1:\\").has_value());
  EXPECT_FALSE(files_.GetDiskFreeSpace("C:\\tmp\\").has_value());

  ASSERT_TRUE(files_.SetCurrentDirectory("d:\\photos"));
  EXPECT_EQ(files_.GetFullPathName("d:x.bmp"), "d:\\photos\\x.bmp");
  EXPECT_EQ(files_.GetFullPathName("c:x.bmp"), "c:\\x.bmp");
  EXPECT_THAT(NamesOf(files_.FindEntries("D:*.BMP")), ElementsAre("mer.bmp"));
  EXPECT_EQ(platform_.Paths().ToWindows(Posix("disque/photos/mer.bmp")), "D:\\photos\\mer.bmp");
}

TEST_F(FileSystemTest, FreeSpaceOfTheRootFitsItsFields) {
  const auto space = files_.GetDiskFreeSpace("c:/");
  ASSERT_TRUE(space.has_value());
  struct statvfs volume {};
  ASSERT_EQ(::statvfs("/", &volume), 0);
  const auto bytes = [](std::uint64_t clusters, const DiskFreeSpace& s) {
    return clusters * s.sectorsPerCluster * s.bytesPerSector;
  };
  const std::uint64_t total = std::uint64_t{volume.f_blocks} * volume.f_frsize;
  EXPECT_GT(bytes(space->totalClusters, *space), 0u);
  EXPECT_LE(bytes(space->totalClusters, *space), total);
  EXPECT_GT(bytes(space->totalClusters, *space), total - total / 1000);
  EXPECT_LE(space->freeClusters, space->totalClusters);
}

TEST_F(FileSystemTest, DeletesOnlyWritablePlainFiles) {
  Write("mer.bmp", "");
  Write("lecture.bmp", "");
  ::chmod(Posix("lecture.bmp").c_str(), 0444);
  MakeDirectory("dossier");

  EXPECT_TRUE(files_.DeleteFile(Windows("MER.BMP")));
  EXPECT_FALSE(std::filesystem::exists(Posix("mer.bmp")));
  EXPECT_FALSE(files_.DeleteFile(Windows("mer.bmp")));
  EXPECT_FALSE(files_.DeleteFile(Windows("lecture.bmp")));
  EXPECT_FALSE(files_.DeleteFile(Windows("dossier")));
  EXPECT_FALSE(files_.DeleteFile(Windows("*.bmp")));
  EXPECT_TRUE(std::filesystem::exists(Posix("lecture.bmp")));
}

using PlatformDirectoryTest = testing::ScratchTest;

TEST_F(PlatformDirectoryTest, ComesFromTheEnvironmentAndIsCreated) {
  EXPECT_EQ(PlatformDirectoryFromEnvironment(), PlatformDirectory());
  ::setenv("FONDEX_PLATFORM_DIR", "", 1);
  ::setenv("XDG_CONFIG_HOME", Posix("config").c_str(), 1);
  EXPECT_EQ(PlatformDirectoryFromEnvironment(), Posix("config/fondex"));
  const PosixPlatform created;
  EXPECT_TRUE(std::filesystem::is_directory(Posix("config/fondex")));
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(PlatformDirectoryFromEnvironment(), std::string(::getenv("HOME")) + "/.config/fondex");
}

TEST_F(FileSystemTest, ExecutablePathIsWindowsShaped) {
  const std::string path = files_.ExecutablePath();
  EXPECT_TRUE(path.starts_with("C:\\")) << path;
  EXPECT_EQ(platform_.Paths().ToPosix(path),
            std::filesystem::read_symlink("/proc/self/exe").string());
}

}  // namespace
}  // namespace fondex::platform::posix
