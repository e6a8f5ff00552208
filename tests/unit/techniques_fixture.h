#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "unit/ProgramFixture.h"

namespace fondex::test {

// Three search directories of 3, 2 and 1 wallpapers, listed with those counts.
class TechniquesTest : public ProgramTest {
 protected:
  void AddABC() {
    AddBitmaps("C:\\A", {"a1.bmp", "a2.bmp", "a3.bmp"});
    AddBitmaps("C:\\B", {"b1.bmp", "b2.bmp"});
    AddBitmaps("C:\\C", {"c1.bmp"});
    List({{"c:\\a", 3}, {"c:\\b", 2}, {"c:\\c", 1}});
  }

  // The directory list file, entries with their counts.
  void List(std::initializer_list<std::pair<const char*, int>> entries) {
    std::string bytes;
    for (const auto& entry : entries) {
      bytes += std::string(entry.first) + "\r\n";
    }
    for (const auto& entry : entries) {
      bytes += std::to_string(entry.second) + "\r\n";
    }
    fake.files.AddFile(kDirFile, bytes);
  }

  void StartOn(const std::string& wallpaper, THasardTech tech, THasardLieu lieu) {
    if (!wallpaper.empty()) {
      SetWallpaperEntry(wallpaper);
    }
    program.Start();
    Use(tech, lieu);
  }

  void Use(THasardTech tech, THasardLieu lieu) {
    Options().SetHasardTech(tech);
    Options().SetHasardLieu(lieu);
    ASSERT_EQ(Options().HasardTech(), tech);
    ASSERT_EQ(Options().HasardLieu(), lieu);
  }

  void Click(platform::SystemTime time = {}) {
    fake.clock.Set(time);
    Dispatch([&] { Main().BBtnHasard.Click(); });
  }
  void Quiet(platform::SystemTime time = {}) {
    fake.clock.Set(time);
    Dispatch([&] { Main().BBtnHasardClick(&Main()); });
  }
  // A directory that holds no wallpaper, joined to the list.
  void AddEmptyDirectory(const std::string& path) {
    fake.files.AddDirectory(path);
    Main().NouveauRep(path);
  }

  std::string Wallpaper() const { return fake.desktop.Wallpaper(); }
  std::size_t Requests() const { return fake.desktop.Requests().size(); }
};

}  // namespace fondex::test
