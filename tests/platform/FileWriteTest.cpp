#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

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

TEST_F(FileWriteTest, LinksStayAndTheFileTheyNameIsReplaced) {
  MakeDirectory("dotfiles/profils");
  Write("dotfiles/profils/win.ini", "[Desktop]\r\nWallpaper=ancien\r\n");
  const struct {
    const char* link;
    const char* target;  // what the link holds
    const char* final;   // the file the link finally names
  } links[] = {
      {"WIN.INI", "dotfiles/profils/win.ini", "dotfiles/profils/win.ini"},
      {"FONDEX.INI", "WIN.INI", "dotfiles/profils/win.ini"},  // a link to a link
      {"dotfiles/FONDEX.DAT", "profils/liste.dat", "dotfiles/profils/liste.dat"},  // dangling
  };
  for (const auto& link : links) {
    SCOPED_TRACE(link.link);
    const std::string target = link.target[0] == 'd' ? Posix(link.target) : link.target;
    ASSERT_EQ(::symlink(target.c_str(), Posix(link.link).c_str()), 0);
    const std::string text = std::string("écrit par ") + link.link;
    EXPECT_TRUE(files_.WriteFileAtomic(Windows(link.link), text));
    struct stat status {};
    ASSERT_EQ(::lstat(Posix(link.link).c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(Read(link.final), text);
  }
  EXPECT_THAT(Entries(),
              ::testing::UnorderedElementsAre("platform", "dotfiles", "WIN.INI", "FONDEX.INI"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Posix("dotfiles/profils")), {}), 2);

  // A loop of links names no file at all.
  ASSERT_EQ(::symlink("boucle2", Posix("boucle1").c_str()), 0);
  ASSERT_EQ(::symlink("boucle1", Posix("boucle2").c_str()), 0);
  EXPECT_FALSE(files_.WriteFileAtomic(Windows("boucle1"), "x"));
}

// The number of a process that has ended.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(0);
  }
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST_F(FileWriteTest, TemporaryFilesOfEndedProcessesGoAtTheNextSave) {
  const std::string ended = std::to_string(EndedProcess());
  const std::string running = std::to_string(::getppid());
  Write("FONDEX.INI", "ancien");
  const struct {
    std::string name;
    bool stays;
  } leftovers[] = {
      {".FONDEX.INI.new-" + ended + "-0", false},
      {".FONDEX.INI.new-" + ended + "-17", false},
      {".FONDEX.INI.new-" + running + "-0", true},  // its process may still be writing it
      {".FONDEX.DAT.new-" + ended + "-0", true},    // another file's
      {".FONDEX.INI.new-x-0", true},
      {"FONDEX.INI.new-" + ended + "-0", true},
  };
  for (const auto& leftover : leftovers) {
    Write(leftover.name, "à moitié");
  }
  ASSERT_TRUE(files_.WriteFileAtomic(Windows("FONDEX.INI"), "nouveau"));
  EXPECT_EQ(Read("FONDEX.INI"), "nouveau");
  for (const auto& leftover : leftovers) {
    EXPECT_EQ(std::filesystem::exists(Posix(leftover.name)), leftover.stays) << leftover.name;
  }
}

// A small file system of its own below the scratch folder, which only root may mount; unmounted
// at the end.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& where, const char* options)
      : where_(where), mounted_(::mount("tmpfs", where.c_str(), "tmpfs", 0, options) == 0) {}
  ~SmallFileSystem() {
    if (mounted_) {
      ::umount2(where_.c_str(), MNT_DETACH);
    }
  }
  bool Mounted() const { return mounted_; }
  bool MakeReadOnly() const {
    return ::mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string where_;
  bool mounted_;
};

TEST_F(FileWriteTest, AFullOrReadOnlyDiskLeavesEachFileWhole) {
  const std::string old = "[Options]\r\nAuto=Oui\r\n";
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "full");
    const std::string folder = readOnly ? "lecture" : "plein";
    MakeDirectory(folder);
    const SmallFileSystem disk(Posix(folder), "size=64k");
    if (!disk.Mounted()) {
      GTEST_SKIP() << "no small file system can be mounted here (root only): "
                   << std::strerror(errno);
    }
    for (const char* name : {"WIN.INI", "FONDEX.INI", "FONDEX.DAT"}) {
      Write(folder + "/" + name, old);
    }
    if (readOnly) {
      ASSERT_TRUE(disk.MakeReadOnly());
    } else {
      Write(folder + "/remplissage", std::string(64 * 1024, 'x'));
    }
    for (const char* name : {"WIN.INI", "FONDEX.INI", "FONDEX.DAT"}) {
      EXPECT_FALSE(files_.WriteFileAtomic(Windows(folder + "\\" + name), std::string(8192, 'n')));
      EXPECT_EQ(Read(folder + "/" + name), old) << name;
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Posix(folder))) {
      names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names.size(), readOnly ? 3u : 4u);
  }
}

// Each save killed at a moment of its own leaves the old contents or the new ones, never a
// mixture; what the killed process left behind goes at the next save.
TEST_F(FileWriteTest, KillDuringASaveLeavesTheOldOrTheNewFile) {
  const std::string first(65536, 'a');
  const std::string second = "[Options]\r\n" + std::string(70000, 'b');
  for (const char* name : {"WIN.INI", "FONDEX.INI", "FONDEX.DAT"}) {
    SCOPED_TRACE(name);
    Write(name, first);
    for (int round = 0; round < 10; ++round) {
      const pid_t saver = ::fork();
      if (saver == 0) {
        for (int i = 0;; ++i) {
          files_.WriteFileAtomic(Windows(name), i % 2 == 0 ? second : first);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1 + round * 3));
      ::kill(saver, SIGKILL);
      ::waitpid(saver, nullptr, 0);
      const std::string now = Read(name);
      EXPECT_TRUE(now == first || now == second) << now.size() << " bytes";
    }
    ASSERT_TRUE(files_.WriteFileAtomic(Windows(name), "fin"));
    EXPECT_EQ(Read(name), "fin");
  }
  EXPECT_THAT(Entries(),
              ::testing::UnorderedElementsAre("platform", "WIN.INI", "FONDEX.INI", "FONDEX.DAT"));
}

}  // namespace
}  // namespace fondex::platform::posix
