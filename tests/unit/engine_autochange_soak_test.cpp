#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <deque>

#include "unit/ProgramFixture.h"

namespace fondex::test {
namespace {

constexpr int kDirectories = 50;
// 100,000 ticks of 2 s: more than two days of rapid mode, the clock going round midnight.
constexpr int kTicks = 100000;
constexpr int kMillisecondsPerDay = 86400000;

// Directory k holds k % 10 wallpapers: two neighbours in the list never hold as many, so a
// count that slipped to another directory's place shows.
std::string DirectoryName(int k) {
  // Ten to a parent: each search for one of them looks through ten entries, not fifty.
  char name[32];
  std::snprintf(name, sizeof name, "c:\\g%d\\s%02d", k / 10, k);
  return name;
}

int WallpapersIn(int k) {
  return k % 10;
}

int WallpapersIn(const std::string& entry) {
  return WallpapersIn(std::stoi(entry.substr(entry.size() - 2)));
}

class AutoChangeSoakTest : public ProgramTest {
 protected:
  void CreateDirectory(int k) {
    fake.files.AddDirectory(DirectoryName(k));
    for (int file = 0; file < WallpapersIn(k); ++file) {
      fake.files.AddFile(DirectoryName(k) + "\\w" + std::to_string(file) + ".bmp", "BM");
    }
  }

  // The list as it must stay: sorted, each count the true one of its own directory (or not yet
  // known), and nothing counted beyond the list.
  void ExpectListInStep(bool wholeTable) {
    const auto& entries = Main().DirListeBox.Items();
    const int listed = static_cast<int>(entries.size());
    ASSERT_LE(listed, kDirectories);
    for (int i = 0; i < listed; ++i) {
      if (i > 0) {
        ASSERT_LT(entries[i - 1], entries[i]);
      }
      const std::int32_t count = Main().DirCounts.Get(i);
      ASSERT_TRUE(count == WallpapersIn(entries[i]) || count == DirCountTable::kUnknownCount)
          << entries[i] << " counted " << count;
    }
    const int last = wholeTable ? DirCountTable::kSize : listed + 1;
    for (int i = listed; i < last; ++i) {
      ASSERT_EQ(Main().DirCounts.Get(i), 0) << i;
    }
  }

  // The window shows what the desktop has, and every wallpaper asked for was there.
  void ExpectWindowInStepWithTheDesktop() {
    ASSERT_EQ(Main().CurrentWallpaper, fake.desktop.Wallpaper());
    const auto& requests = fake.desktop.Requests();
    if (requests.size() > checkedRequests_ && !requests.back().empty()) {
      ASSERT_TRUE(fake.files.Exists(requests.back())) << requests.back();
    }
    checkedRequests_ = requests.size();
  }

 private:
  std::size_t checkedRequests_ = 0;
};

constexpr std::array<std::pair<THasardTech, THasardLieu>, 7> kTechniques{{
    {THasardTech::HasardGlobal, THasardLieu::RepActif},
    {THasardTech::HasardDsRep, THasardLieu::RepHasard},
    {THasardTech::HasardDsRep, THasardLieu::RepActif},
    {THasardTech::HasardDsRep, THasardLieu::RepSucc},
    {THasardTech::Successif, THasardLieu::RepActif},
    {THasardTech::Successif, THasardLieu::RepHasard},
    {THasardTech::Successif, THasardLieu::RepSucc},
}};

TEST_F(AutoChangeSoakTest, RapidTicksAcrossDirectoriesThatComeAndGoKeepListAndCountsInStep) {
  std::string listFile;
  for (int k = 0; k < kDirectories; ++k) {
    CreateDirectory(k);
    listFile += DirectoryName(k) + "\r\n";
  }
  for (int k = 0; k < kDirectories; ++k) {
    listFile += std::to_string(WallpapersIn(k)) + "\r\n";
  }
  fake.files.AddFile(kDirFile, listFile);
  program.Start();
  Options().ChBAuto.SetChecked(true);
  Options().SetDelai(0);
  Dispatch([&] { Main().ApplyTimerSettings(); });
  ASSERT_EQ(Main().ChangeTimer.Interval(), 2000);

  std::array<bool, kDirectories> onDisk{};
  onDisk.fill(true);
  std::deque<int> gone;
  int milliseconds = 0;
  for (int tick = 0; tick < kTicks; ++tick) {
    if (tick % 1000 == 0) {
      const auto& [tech, lieu] = kTechniques[static_cast<std::size_t>(tick / 1000) % 7];
      Options().SetHasardTech(tech);
      Options().SetHasardLieu(lieu);
    }
    if (tick % 250 == 0) {
      const int k = (tick / 250 * 17) % kDirectories;
      if (onDisk[static_cast<std::size_t>(k)]) {
        fake.files.Remove(DirectoryName(k));
        onDisk[static_cast<std::size_t>(k)] = false;
        gone.push_back(k);
      }
    } else if (tick % 250 == 125 && gone.size() > 3) {
      // It comes back and is dropped on the window again.
      const int k = gone.front();
      gone.pop_front();
      CreateDirectory(k);
      onDisk[static_cast<std::size_t>(k)] = true;
      Dispatch([&] { Main().NouveauRep(DirectoryName(k)); });
    }
    milliseconds = (milliseconds + 2000 + tick % 7) % kMillisecondsPerDay;
    fake.clock.Set({milliseconds / 3600000, milliseconds / 60000 % 60, milliseconds / 1000 % 60,
                    milliseconds % 1000});
    Dispatch([&] { Main().ChangeTimer.Tick(); });

    ASSERT_NO_FATAL_FAILURE(ExpectListInStep(tick % 1000 == 999)) << "tick " << tick;
    ASSERT_NO_FATAL_FAILURE(ExpectWindowInStepWithTheDesktop()) << "tick " << tick;
  }

  // Every message was one of a missing directory or file: no error escaped to the report.
  int missingDirectories = 0;
  for (const auto& box : fake.modalHost.Boxes()) {
    ASSERT_NE(box.request.title, "Fondex2") << box.request.text;
    missingDirectories += box.request.text.starts_with("Le répertoire ") ? 1 : 0;
  }
  EXPECT_GT(missingDirectories, 0);
  EXPECT_GT(fake.desktop.Requests().size(), static_cast<std::size_t>(kTicks / 2));
  EXPECT_EQ(Main().TickCount, 0);
}

}  // namespace
}  // namespace fondex::test
