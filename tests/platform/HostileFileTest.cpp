#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "Bitmaps.h"
#include "Scratch.h"
#include "platform/pictures/BitmapFile.h"
#include "platform/posix/FileIo.h"
#include "platform/posix/PosixPlatform.h"

namespace fondex::platform::posix {
namespace {

using namespace std::chrono_literals;

// Names that a user or another program may leave where the program expects a file.
struct Hostile {
  const char* kind;
  std::function<void(const std::string& path)> make;
};

const Hostile kHostile[] = {
    {"fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }},
    {"link to /dev/zero",
     [](const std::string& path) { ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0); }},
    {"link to /dev/urandom",
     [](const std::string& path) { ASSERT_EQ(::symlink("/dev/urandom", path.c_str()), 0); }},
    // A sparse file: no disk is spent on it, yet it is larger than any text the program reads.
    {"oversized file",
     [](const std::string& path) {
       const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
       ASSERT_EQ(::ftruncate(fd, kMaxTextFileSize + 1), 0);
       ::close(fd);
     }},
};

// Runs a call that must not block; should it block on a FIFO all the same, after a while a
// writer keeps opening and closing the FIFO so that each wait sees an end and the test can
// report it.
bool ReturnsWithoutWaiting(const std::string& fifo, const std::function<void()>& call) {
  std::atomic<bool> done{false};
  std::atomic<bool> waited{false};
  std::thread watchdog([&] {
    for (int tick = 0; !done; ++tick) {
      std::this_thread::sleep_for(100ms);
      if (tick >= 100 && !done) {
        waited = true;
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
          ::close(fd);
        }
      }
    }
  });
  call();
  done = true;
  watchdog.join();
  return !waited;
}

class HostileFileTest : public testing::ScratchTest {
 protected:
  PosixPlatform platform_;
};

TEST_F(HostileFileTest, OnlyRegularFilesWithinTheLimitAreRead) {
  for (const Hostile& hostile : kHostile) {
    SCOPED_TRACE(hostile.kind);
    const std::string name = std::string("x") + std::to_string(&hostile - kHostile) + ".bmp";
    hostile.make(Posix(name));
    std::optional<std::string> read{"unread"};
    bool loadable = true;
    EXPECT_TRUE(ReturnsWithoutWaiting(Posix(name), [&] {
      read = platform_.Files().ReadFile(Windows(name));
      loadable = platform_.Desktop().SetDeskWallpaper(Windows(name));
    }));
    EXPECT_EQ(read, std::nullopt);
    EXPECT_FALSE(loadable);
    EXPECT_EQ(ReadBitmapFile(Posix(name)), std::nullopt);
  }
}

TEST_F(HostileFileTest, ProfilesNamedByHostileEntriesKeepThemAndReadAsEmpty) {
  for (const Hostile& hostile : kHostile) {
    SCOPED_TRACE(hostile.kind);
    const std::string profile = "platform/P" + std::to_string(&hostile - kHostile) + ".INI";
    hostile.make(Posix(profile));
    const std::string file = profile.substr(9);
    struct stat before {};
    ASSERT_EQ(::lstat(Posix(profile).c_str(), &before), 0);
    std::string value;
    bool written = true;
    EXPECT_TRUE(ReturnsWithoutWaiting(Posix(profile), [&] {
      value = platform_.Profiles().GetString(file, "Desktop", "Wallpaper", "<défaut>", 256);
      written = platform_.Profiles().WriteString(file, "Desktop", "Wallpaper", "x");
    }));
    EXPECT_EQ(value, "<défaut>");
    // Something the program cannot read is not something it may replace.
    EXPECT_FALSE(written);
    struct stat after {};
    ASSERT_EQ(::lstat(Posix(profile).c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
  }
}

TEST_F(HostileFileTest, TextIsReadUpToItsLimitExactly) {
  const struct {
    std::size_t size;
    std::size_t limit;
    bool read;
  } cases[] = {{0, 0, true},         {5, 5, true},          {6, 5, false},
               {70000, 70000, true}, {70001, 70000, false}, {3, 70000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.size << " bytes, limit " << c.limit);
    const std::string bytes(c.size, 'a');
    Write("texte", bytes);
    const auto read = ReadRegularFile(Posix("texte"), c.limit);
    EXPECT_EQ(read, c.read ? std::optional(bytes) : std::nullopt);
  }
  // The files of /proc say they are empty and still hold text.
  const auto name = ReadRegularFile("/proc/self/comm");
  ASSERT_TRUE(name.has_value());
  EXPECT_FALSE(name->empty());
}

TEST_F(HostileFileTest, BitmapIsReadNoFurtherThanItsHeadersSay) {
  const std::string bitmap = testing::MakeBitmap({.width = 7, .height = 5, .bitCount = 8});
  // Followed by far more than the bitmap: a tail that is never read.
  Write("long.bmp", bitmap);
  ASSERT_EQ(::truncate(Posix("long.bmp").c_str(), 1 << 30), 0);
  EXPECT_EQ(ReadBitmapFile(Posix("long.bmp")), bitmap);
  EXPECT_TRUE(IsLoadableBitmapFile(Posix("long.bmp")));

  // Headers sound, but its data would end beyond what any wallpaper needs.
  std::string header = testing::MakeBitmap({.width = 1, .height = 1, .bitCount = 32}).substr(0, 54);
  header.replace(18, 8, std::string("\0\x80\0\0\0\x80\0\0", 8));  // 32768 x 32768
  ASSERT_GT(std::uint64_t{32768} * 32768 * 4, kMaxBitmapFileSize);
  Write("huge.bmp", header);
  ASSERT_EQ(::truncate(Posix("huge.bmp").c_str(), std::int64_t{32768} * 32768 * 4 + 54), 0);
  EXPECT_FALSE(IsLoadableBitmapFile(Posix("huge.bmp")));
  EXPECT_EQ(ReadBitmapFile(Posix("huge.bmp")), std::nullopt);
  EXPECT_FALSE(platform_.Desktop().SetDeskWallpaper(Windows("huge.bmp")));
}

TEST_F(HostileFileTest, APictureChangedBetweenCheckAndUseIsReadWholeOrNotAtAll) {
  const std::string bitmap = testing::MakeBitmap({.width = 9, .height = 4, .bitCount = 24});
  const std::string other = testing::MakeBitmap({.width = 2, .height = 2, .bitCount = 8});
  const struct {
    const char* change;
    std::function<void(const std::string& path)> apply;
    bool read;
  } changes[] = {
      {"cut short", [&](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 60), 0); },
       false},
      {"deleted", [](const std::string& path) { ::unlink(path.c_str()); }, true},
      {"replaced",
       [&](const std::string& path) {
         Write("autre.bmp", other);
         ::rename(Posix("autre.bmp").c_str(), path.c_str());
       },
       true},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.change);
    Write("fond.bmp", bitmap);
    const auto file = RegularFile::Open(Posix("fond.bmp"));
    ASSERT_TRUE(file.has_value());
    change.apply(Posix("fond.bmp"));
    // An open file stays the file that was checked, unless its own bytes are cut.
    EXPECT_EQ(ReadBitmapBytes(*file), change.read ? std::optional(bitmap) : std::nullopt);
  }
}

}  // namespace
}  // namespace fondex::platform::posix
