#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "mainwindow/FondexProgram.h"
#include "support/FakePlatform.h"

namespace fondex::test {

// The whole program on the fake platform, as the executable builds it.
class ProgramTest : public ::testing::Test {
 protected:
  static constexpr const char* kDirFile = "C:\\FONDEX\\FONDEX.DAT";
  static constexpr const char* kIniFile = "C:\\FONDEX\\FONDEX.INI";

  TFondexMainForm& Main() { return program.MainForm(); }
  TOptBox& Options() { return program.OptBox(); }
  TProgramState State() { return program.Program().ProgramState; }

  // A directory of bitmaps (any content will do for the fake desktop).
  void AddBitmaps(const std::string& directory, std::initializer_list<const char*> names) {
    fake.files.AddDirectory(directory);
    for (const char* name : names) {
      fake.files.AddFile(directory + "\\" + name, "BM");
    }
  }

  void SetWallpaperEntry(const std::string& name) {
    fake.profiles.WriteString("WIN.INI", "Desktop", "Wallpaper", name);
  }

  // Texts of every message box shown so far, in order.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : fake.modalHost.Boxes()) {
      texts.push_back(box.request.text);
    }
    return texts;
  }

  std::vector<std::string> Directories() { return Main().DirListeBox.Items(); }
  std::vector<std::int32_t> Counts() {
    std::vector<std::int32_t> counts;
    for (int i = 0; i < Main().DirListeBox.Count(); ++i) {
      counts.push_back(Main().DirCounts.Get(i));
    }
    return counts;
  }

  // Runs an event as the front end does.
  template <typename Event>
  void Dispatch(Event event) {
    app.Dispatch(event);
  }

  FakePlatform fake;
  toolkit::Application app{fake.modalHost, fake.help};
  FondexProgram program{app, fake.Platform()};
};

}  // namespace fondex::test
