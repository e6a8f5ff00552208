#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "Scratch.h"
#include "platform/posix/PosixPlatform.h"

namespace fondex::platform::posix {
namespace {

class FileWriteTest : public testing::ScratchTest {
 protected:
  // Names in the scratch root, so that a leftover temporary file would show.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Posix(""))) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  PosixPlatform platform_;
  PosixFileSystem& files_ = platform_.Files();
};

TEST_F(FileWriteTest, ReplacesContentsAndKeepsPermissions) {
  EXPECT_TRUE(files_.WriteFileAtomic(Windows("Neuf.txt"), "un"));
  EXPECT_EQ(Read("Neuf.txt"), "un");
  ::chmod(Posix("Neuf.txt").c_str(), 0640);
  EXPECT_TRUE(files_.WriteFileAtomic(Windows("NEUF.TXT"), std::string("deux\0trois", 10)));
  EXPECT_EQ(files_.ReadFile(Windows("neuf.txt")), std::string("deux\0trois", 10));
  struct stat status {};
  ::stat(Posix("Neuf.txt").c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_THAT(Entries(), ::testing::UnorderedElementsAre("platform", "Neuf.txt"));
}

TEST_F(FileWriteTest, RefusesWhatCannotBeReplaced) {
  Write("fichier", "ancien");
  Write("lecture", "ancien");
  ::chmod(Posix("lecture").c_str(), 0444);
  MakeDirectory("dossier");

  EXPECT_FALSE(files_.WriteFileAtomic(Windows("fichier\\dedans"), "x"));
  EXPECT_FALSE(files_.WriteFileAtomic(Windows("lecture"), "x"));
  EXPECT_FALSE(files_.WriteFileAtomic(Windows("dossier"), "x"));
  EXPECT_FALSE(files_.WriteFileAtomic(Windows("absent\\x"), "x"));
  EXPECT_FALSE(files_.WriteFileAtomic("Q:\\x", "x"));
  EXPECT_EQ(Read("lecture"), "ancien");
  EXPECT_EQ(files_.ReadFile(Windows("dossier")), std::nullopt);
  EXPECT_THAT(Entries(),
              ::testing::UnorderedElementsAre("platform", "fichier", "lecture", "dossier"));
}

// A file-size limit makes the write itself fail, even for root, the way a full disk would.
TEST_F(FileWriteTest, FailedWriteLeavesTheOldFileWhole) {
  Write("WIN.INI", "[Desktop]\r\nWallpaper=ancien\r\n");
  rlimit previous{};
  ::getrlimit(RLIMIT_FSIZE, &previous);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 16;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = files_.WriteFileAtomic(Windows("WIN.INI"), std::string(100, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(Read("WIN.INI"), "[Desktop]\r\nWallpaper=ancien\r\n");
  EXPECT_THAT(Entries(), ::testing::UnorderedElementsAre("platform", "WIN.INI"));
}

}  // namespace
}  // namespace fondex::platform::posix
