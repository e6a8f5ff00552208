#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "e2e/ChildProcess.h"
#include "e2e/Controls.h"
#include "e2e/Sandbox.h"
#include "e2e/VirtualScreen.h"

namespace fondex::e2e {

// One journey of a user through the real program: its own X server, a copy of the program in a
// fresh folder with its own platform directory, keys and clicks through xdotool, and the files
// read back afterwards. Everything started here is ended and reaped when the test ends.
//
//   ImageFolder, WriteBitmap, WriteWinIni, WriteFile(AppFile("FONDEX.INI"), ...)
//   StartFondex();                                  // returns once the main window shows
//   Click(MainWindow(), main_window::kBBtnHasard);   // or Key(window, "Delete"), TypeText(...)
//   EXPECT_TRUE(WallpaperBecomes(...));  EXPECT_TRUE(TitleBecomes(MainWindow(), ...));
//   CloseWindow(MainWindow());  EXPECT_EQ(0, WaitForExit());
//   ReadFile(AppFile("FONDEX.DAT")) ...
class FondexJourney : public ::testing::Test {
 protected:
  // Room for the options dialog with all its areas.
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 1024;
  // No wait of a journey lasts longer than this.
  static constexpr std::chrono::milliseconds kWaitLimit{10000};

  FondexJourney();
  // Its X server with that many monitors of kScreenWidth x kScreenHeight side by side.
  explicit FondexJourney(int monitors);
  void TearDown() override;

  // A folder of the journey's own, created when needed: the home folder is "home", the
  // program's runtime folder "runtime".
  std::filesystem::path Folder(const std::string& relative) const {
    return sandbox_.Folder(relative);
  }
  // Files beside the program, in its platform directory, and folders of pictures.
  std::filesystem::path AppFile(const std::string& name) const;
  std::filesystem::path PlatformFile(const std::string& name) const;
  std::filesystem::path ImageFolder(const std::string& name) const;
  // A folder of pictures holding three bitmaps, listed by name whatever their case: ciel.bmp,
  // foret.bmp, Mer.BMP.
  std::filesystem::path PictureFolder(const std::string& name) const;
  // The system profile with one entry: [Desktop] Wallpaper.
  static std::string WinIniNaming(const std::string& wallpaper);
  void WriteWinIni(const std::string& wallpaper) const;
  // The [Desktop] Wallpaper entry of the system profile as it is now.
  std::string WinIniWallpaper() const;

  // Starts the copied program with the desktop back-end given, and waits for its main window.
  // Variables of `environment` ("NAME=value") replace the journey's own of that name.
  void StartFondex(const std::string& desktop = "none",
                   const std::vector<std::string>& environment = {});
  // The same with no desktop, these arguments, and run from that folder.
  void StartFondexWith(const std::vector<std::string>& arguments,
                       const std::filesystem::path& workingDirectory = {});
  // The same with a copy laid out as an installed one: PREFIX/bin/fondex in a folder that no one
  // may write, its help file in PREFIX/share/fondex. The folder of the copy.
  std::filesystem::path StartInstalledFondex(const std::string& desktop = "none");
  // The program where it lies, not copied.
  void StartFondexAt(const std::filesystem::path& program) {
    StartAndWait(ProgramRequest(program, {}));
  }
  WindowId MainWindow() const { return mainWindow_; }
  pid_t FondexPid() const { return fondex_->Pid(); }
  // The first mapped window of the program whose title starts so, other than the one given.
  WindowId WaitForWindow(const std::string& titlePrefix, WindowId otherThan = 0);
  WindowId WaitForWindow(ChildProcess& process, const std::string& titlePrefix,
                         WindowId otherThan = 0);

  // Copies the program into the folder, and its help file into the help folder (by default the
  // same): the copy's path.
  std::filesystem::path CopyProgramTo(const std::filesystem::path& folder,
                                      const std::filesystem::path& helpFolder = {}) const;
  // How the journey runs a copy of the program: its environment, its output in fondex.log.
  SpawnRequest ProgramRequest(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::string& desktop = "none",
                              const std::vector<std::string>& environment = {}) const;
  void WaitUntilGone(WindowId window);

  // Each waits until the value is the one expected, or the wait limit passes; a failure tells
  // the last value seen.
  ::testing::AssertionResult TitleBecomes(WindowId window, const std::string& expected);
  // The [Desktop] Wallpaper entry of the system profile.
  ::testing::AssertionResult WallpaperBecomes(const std::string& expected);
  ::testing::AssertionResult FileBecomes(const std::filesystem::path& path,
                                         const std::string& expected);
  // Polls the condition until it holds (true) or the wait limit passes (false).
  static bool WaitFor(const std::function<bool()>& condition);

  // Input, as the user gives it: the pointer moves, then clicks the middle of the control.
  void Click(WindowId window, Bounds control);
  // Keys go to the window once the keyboard reaches it: a window that has just appeared takes
  // the focus a moment later. Key names are xdotool's: "Return", "ctrl+a", "Delete".
  void Key(WindowId window, const std::string& keys);
  void TypeText(WindowId window, const std::string& text);
  void MovePointerTo(int x, int y);  // on the screen
  // Puts the window above the others, as a desktop's own window may cover it.
  void Raise(WindowId window);
  // Types the name over the main window's edit box's text and presses Enter.
  void EnterName(const std::string& name);
  // Opens the options dialog, picks the line of its layout list (0 for the first) and closes it
  // with OK.
  void ChooseLayout(int line);
  // The same in the dialog open.
  void PickLayout(WindowId options, int line);

  // The close box of a window manager, which there is none to offer.
  void CloseWindow(WindowId window);
  // The program's exit code; fails the test when it does not end in time.
  int WaitForExit();
  // A signal to the program, as the system sends it.
  void SendSignal(int signal);
  // What the program wrote on its standard output and error output so far.
  std::string ProgramOutput() const { return Log("fondex.log"); }

  // The screen's centre, where a bare X11 session's centred wallpaper lies, is near the colour.
  bool RootCentreNear(Rgb colour) const;

  // The window's picture once its painting has settled.
  Image SteadyImage(WindowId window);
  // Saved among the build's test artefacts as <test suite>-<test>-<name>.png.
  void SaveScreenshot(const Image& image, const std::string& name) const;

  const VirtualScreen& Screen() const { return *screen_; }

 private:
  void RunXdotool(std::vector<std::string> arguments);
  void StartAndWait(const SpawnRequest& request);
  void WaitForKeyboard(WindowId window);
  std::vector<std::string> ProgramEnvironment(const std::string& desktop,
                                              const std::vector<std::string>& extra) const;
  std::string LeakOptions() const;
  static ::testing::AssertionResult Becomes(const std::string& what,
                                            const std::function<std::string()>& probe,
                                            const std::string& expected);
  std::string Log(const char* name) const;

  // Ended in reverse order: the program, then its X server, and the folder last of all.
  Sandbox sandbox_;
  std::filesystem::path appDir_;
  std::filesystem::path platformDir_;
  std::unique_ptr<VirtualScreen> screen_;
  std::unique_ptr<ChildProcess> fondex_;
  WindowId mainWindow_ = 0;
};

// Journeys through the three pictures of the folder "Plage".
class PlageJourney : public FondexJourney {
 protected:
  void SetUp() override { plage_ = PictureFolder("Plage"); }
  // The path of a file of the folder as the program stores it.
  std::string Stored(const std::string& name) const { return StoredPath(plage_ / name); }

  std::filesystem::path plage_;
};

}  // namespace fondex::e2e
