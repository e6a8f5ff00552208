// A long run of automatic changes in a folder that other programs keep changing: memory stays
// flat and the directory list file is whole at the end. Not run with the other tests:
// scripts/soak runs it.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kBitmaps = 200;

// Resident memory of a process, in kB.
long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

std::chrono::seconds SoakLength() {
  const char* seconds = std::getenv("FONDEX_SOAK_SECONDS");
  return std::chrono::seconds(seconds != nullptr ? std::atol(seconds) : 600);
}

using SoakJourney = FondexJourney;

TEST_F(SoakJourney, DISABLED_ChangesEveryTwoSecondsWhileTheFolderChanges) {
  const std::filesystem::path folder = ImageFolder("Tournant");
  std::mt19937 random(20261207);
  const auto bitmapName = [](int i, char generation) {
    return std::string(1, generation) + std::to_string(i) + ".bmp";
  };
  std::vector<char> generation(kBitmaps, 'a');
  for (int i = 0; i < kBitmaps; ++i) {
    WriteBitmap(folder / bitmapName(i, 'a'), 64 + i % 7, 48 + i % 5,
                Rgb{static_cast<std::uint8_t>(i), 80, static_cast<std::uint8_t>(255 - i)});
  }
  WriteFile(AppFile("FONDEX.INI"),
            "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=HasardDsRep\r\nAuto=Oui\r\n"
            "D\xE9lai=0\r\n");
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(folder) + "\r\n200\r\n");
  WriteWinIni(StoredPath(folder / bitmapName(0, 'a')));
  StartFondex("x11");

  const auto start = std::chrono::steady_clock::now();
  const auto length = SoakLength();
  long firstMinuteKb = -1;
  long highestKb = 0;
  long lastKb = 0;
  int changes = 0;
  int edits = 0;
  int boxes = 0;
  std::string shown = WinIniWallpaper();
  auto nextSample = start;
  while (std::chrono::steady_clock::now() - start < length) {
    // One file at a time is renamed, deleted or re-created, ten times a second.
    const int i = static_cast<int>(random() % kBitmaps);
    const std::filesystem::path now = folder / bitmapName(i, generation[i]);
    std::error_code ignored;
    switch (random() % 3) {
      case 0:
        generation[i] = generation[i] == 'a' ? 'b' : 'a';
        std::filesystem::rename(now, folder / bitmapName(i, generation[i]), ignored);
        break;
      case 1:
        std::filesystem::remove(now, ignored);
        break;
      default:
        WriteBitmap(now, 64, 48, Rgb{static_cast<std::uint8_t>(i), 200, 40});
    }
    ++edits;
    std::this_thread::sleep_for(100ms);
    if (const std::string wallpaper = WinIniWallpaper(); wallpaper != shown) {
      shown = wallpaper;
      ++changes;
    }
    // A file deleted since its folder was listed is reported in a box, which holds the
    // changes until it is answered: the user answers at once.
    for (const WindowId window : Screen().WindowsOf(FondexPid())) {
      if (window != MainWindow()) {
        if (boxes == 0) {
          SaveScreenshot(SteadyImage(window), "first-box");
        }
        Key(window, "Return");
        WaitUntilGone(window);
        ++boxes;
      }
    }
    if (std::chrono::steady_clock::now() >= nextSample) {
      nextSample += 10s;
      lastKb = ResidentKb(FondexPid());
      ASSERT_GT(lastKb, 0) << "the program ended";
      if (std::chrono::steady_clock::now() - start >= 60s) {
        firstMinuteKb = firstMinuteKb < 0 ? lastKb : firstMinuteKb;
        highestKb = std::max(highestKb, lastKb);
      }
      std::printf("soak: %4lds  rss %ld kB  changes %d  edits %d  boxes %d\n",
                  static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count()),
                  lastKb, changes, edits, boxes);
      std::fflush(stdout);
    }
  }
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());

  std::printf("soak: after the first minute %ld kB, highest %ld kB, at the end %ld kB\n",
              firstMinuteKb, highestKb, lastKb);
  EXPECT_GT(changes, 0);
  EXPECT_LT(highestKb - firstMinuteKb, 2048);
  // The list file: one directory, then its count, which is the folder's bitmaps at its last
  // listing, never more than ever existed.
  const std::vector<std::string> lines = LinesOf(ReadFile(AppFile("FONDEX.DAT")));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], StoredPath(folder));
  EXPECT_LE(std::stoi(lines[1]), kBitmaps);
}

}  // namespace
}  // namespace fondex::e2e
