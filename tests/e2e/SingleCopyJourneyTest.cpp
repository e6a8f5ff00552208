// One copy of Fondex per program folder: a later start hands its command line to the running
// copy and ends; the command line itself, with and without a running copy.

#include <signal.h>

#include <algorithm>

#include "e2e/FondexJourney.h"
#include "e2e/RootMessages.h"

namespace fondex::e2e {
namespace {

// The pictures of "Plage" changed one after the other, from foret.bmp on the desktop.
class SingleCopyJourney : public PlageJourney {
 protected:
  void SetUp() override {
    PlageJourney::SetUp();
    WriteFile(AppFile("FONDEX.INI"),
              "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=Successif\r\n");
    WriteWinIni(WindowsPath(plage_ / "foret.bmp"));
  }

  // Another start of the program in the same folder, run to its end: its exit status.
  int StartAgain(const std::vector<std::string>& arguments,
                 const std::filesystem::path& workingDirectory = {},
                 const std::vector<std::string>& environment = {}) {
    SpawnRequest request = ProgramRequest(AppFile("fondex"), arguments, "none", environment);
    request.workingDirectory = workingDirectory.string();
    return RunToCompletion(request, kWaitLimit);
  }

  void Minimize() {
    Key(MainWindow(), "Escape");
    ASSERT_TRUE(WaitFor([&] { return Screen().AskedToIconify(MainWindow()); }));
  }

  // The windows of every program titled so, on the whole screen.
  std::size_t WindowsTitled(const std::string& prefix) const {
    const std::vector<WindowId> windows = Screen().TopLevelWindows();
    return static_cast<std::size_t>(std::count_if(windows.begin(), windows.end(), [&](WindowId w) {
      return Screen().Title(w).starts_with(prefix);
    }));
  }

  bool IsAbove(WindowId upper, WindowId lower) const {
    const std::vector<WindowId> stack = Screen().TopLevelWindows();
    const auto at = [&](WindowId w) { return std::find(stack.begin(), stack.end(), w); };
    return at(upper) != stack.end() && at(lower) < at(upper);
  }
};

TEST_F(SingleCopyJourney, ASecondStartBringsTheRunningCopyBackAndEnds) {
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));
  Minimize();

  EXPECT_EQ(0, StartAgain({}));
  EXPECT_TRUE(WaitFor([&] { return !Screen().AskedToIconify(MainWindow()); }));
  EXPECT_TRUE(WaitFor([&] { return Screen().KeyboardGoesTo(MainWindow()); }));
  // The later start showed nothing of its own: one main window on the screen.
  EXPECT_EQ(1u, WindowsTitled("Fondex2"));
  EXPECT_EQ(1u, Screen().WindowsOf(FondexPid()).size());

  Minimize();
  EXPECT_EQ(0, StartAgain({"--show"}));
  EXPECT_TRUE(WaitFor([&] { return !Screen().AskedToIconify(MainWindow()); }));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  // No later start changed the wallpaper.
  EXPECT_EQ(WindowsPath(plage_ / "foret.bmp"), WinIniWallpaper());
}

// A launcher's startup ID reaches the window's manager with the window: the window names the
// launch, asks to be activated at the launch's time, and ends the launch's busy cursor.
TEST_F(SingleCopyJourney, ALaterShowHandsTheLaunchersStartupIdToTheWindowManager) {
  StartFondex();
  RootMessages root(Screen().DisplayName());
  const std::string id = R"(lanceur/fondex "2"\12_TIME4242)";
  EXPECT_EQ(0, StartAgain({"--show"}, {}, {"DESKTOP_STARTUP_ID=" + id}));

  EXPECT_TRUE(WaitFor([&] { return Screen().StartupId(MainWindow()) == id; }));
  EXPECT_TRUE(WaitFor([&] { return !root.StartupMessages().empty(); }));
  EXPECT_EQ(std::vector<std::string>{R"(remove: ID="lanceur/fondex\ \"2\"\\12_TIME4242")"},
            root.StartupMessages());
  // The launch's request, from an application; without a manager to honour it, Qt gives the
  // window the keyboard itself.
  const std::vector<RootMessages::Activation> activations = root.Activations();
  ASSERT_FALSE(activations.empty());
  EXPECT_EQ(MainWindow(), activations.back().window);
  EXPECT_EQ(1, activations.back().source);
  EXPECT_EQ(4242u, activations.back().time);
  EXPECT_TRUE(WaitFor([&] { return Screen().KeyboardGoesTo(MainWindow()); }));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

// A runtime folder whose socket path is over the system's limit: the running copy cannot be
// reached, and a later start says so instead of running beside it.
TEST_F(SingleCopyJourney, ALaterStartThatCannotReachTheRunningCopySaysSoAndEnds) {
  const std::filesystem::path runtime = Folder("runtime/" + std::string(100, 'r'));
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  const std::vector<std::string> environment = {"XDG_RUNTIME_DIR=" + runtime.string()};
  StartFondex("none", environment);
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));

  EXPECT_EQ(1, RunToCompletion(ProgramRequest(AppFile("fondex"), {"--next"}, "none", environment),
                               kWaitLimit));
  EXPECT_NE(
      ProgramOutput().find("fondex : Fondex tourne déjà dans ce dossier, mais ne répond pas."),
      std::string::npos)
      << ProgramOutput();
  EXPECT_EQ(1u, WindowsTitled("Fondex2"));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(WindowsPath(plage_ / "foret.bmp"), WinIniWallpaper());
}

TEST_F(SingleCopyJourney, NextPreviousPlainAndSetFromLaterStartsChangeTheRunningCopysWallpaper) {
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));
  Minimize();

  // By the running copy's technique: the next picture of the folder.
  EXPECT_EQ(0, StartAgain({"--next"}));
  EXPECT_TRUE(WallpaperBecomes(Stored("mer.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));
  EXPECT_EQ(0, StartAgain({"--next"}));
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));
  // A key binding does not pop the window up.
  EXPECT_TRUE(Screen().AskedToIconify(MainWindow()));

  // Back the way it came, to the picture the desktop had when the program started.
  EXPECT_EQ(0, StartAgain({"--previous"}));
  EXPECT_TRUE(WallpaperBecomes(Stored("mer.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));
  EXPECT_EQ(0, StartAgain({"--previous"}));
  EXPECT_TRUE(WallpaperBecomes(Stored("foret.bmp")));
  EXPECT_TRUE(Screen().AskedToIconify(MainWindow()));

  EXPECT_EQ(0, StartAgain({"--plain"}));
  EXPECT_TRUE(WallpaperBecomes(""));

  // A name relative to the caller's folder, not to the program's.
  EXPECT_EQ(0, StartAgain({"--set", "Plage/Mer.BMP"}, plage_.parent_path()));
  EXPECT_TRUE(WallpaperBecomes(Stored("mer.bmp")));
  EXPECT_EQ(0, StartAgain({"--set=./foret"}, plage_));
  EXPECT_TRUE(WallpaperBecomes(Stored("foret.bmp")));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

TEST_F(SingleCopyJourney, WithNoCopyRunningSetStartsFondexAndListsThePicturesFolder) {
  // A first start: no directory list yet.
  StartFondexWith({"--set", "Plage/ciel.bmp"}, plage_.parent_path());
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("ciel.bmp")));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(StoredPath(plage_) + "\r\n3\r\n", ReadFile(AppFile("FONDEX.DAT")));
}

TEST_F(SingleCopyJourney, ACopyKilledOutrightDoesNotBlockTheNextStartWhichChangesOnceStarted) {
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(plage_) + "\r\n3\r\n");
  StartFondex();
  ::kill(FondexPid(), SIGKILL);
  EXPECT_EQ(128 + SIGKILL, WaitForExit());

  StartFondexWith({"--next"});
  EXPECT_TRUE(WallpaperBecomes(Stored("mer.bmp")));
  EXPECT_EQ(0, StartAgain({"--next"}));
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

TEST_F(SingleCopyJourney, CopiesInTwoFoldersRunSideBySideAndEachIsBroughtForwardAlone) {
  StartFondex();
  ChildProcess portable(ProgramRequest(CopyProgramTo(Folder("portable")), {}));
  const WindowId other = WaitForWindow(portable, "Fondex2");
  EXPECT_EQ(2u, WindowsTitled("Fondex2"));
  EXPECT_TRUE(IsAbove(other, MainWindow()));

  // Raised above the other copy, which the later start left alone. (Without a window manager,
  // the keyboard stays with the window that took it last: its time is later than ours.)
  EXPECT_EQ(0, StartAgain({"--show"}));
  EXPECT_TRUE(WaitFor([&] { return IsAbove(MainWindow(), other); }));
  EXPECT_EQ(2u, WindowsTitled("Fondex2"));

  CloseWindow(other);
  EXPECT_EQ(0, portable.WaitForExit(kWaitLimit));
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

// --help, --version and a wrong option answer at once, with no display at all.
TEST_F(SingleCopyJourney, HelpVersionAndWrongOptionsNeedNoDisplay) {
  const std::filesystem::path program = CopyProgramTo(AppFile(""));
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string output;  // the start of each
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"--help"}, 0, "Utilisation : fondex [--next", ""},
      {{"--version"}, 0, "Fondex v 2.01\n", ""},
      {{"--suivant"}, 2, "", "fondex : option inconnue « --suivant »\nUtilisation : fondex"},
  };
  for (const Case& c : cases) {
    SpawnRequest request;
    request.arguments = {program.string()};
    request.arguments.insert(request.arguments.end(), c.arguments.begin(), c.arguments.end());
    request.environment = {"HOME=" + Folder("home").string()};
    request.outputFile = Folder("sorties").string() + "/out";
    request.errorFile = Folder("sorties").string() + "/err";
    std::filesystem::remove(request.outputFile);
    std::filesystem::remove(request.errorFile);
    EXPECT_EQ(c.status, RunToCompletion(request, kWaitLimit)) << c.arguments[0];
    EXPECT_TRUE(ReadFile(request.outputFile).starts_with(c.output)) << ReadFile(request.outputFile);
    EXPECT_TRUE(ReadFile(request.errorFile).starts_with(c.error)) << ReadFile(request.errorFile);
    EXPECT_EQ(c.output.empty(), ReadFile(request.outputFile).empty());
    EXPECT_EQ(c.error.empty(), ReadFile(request.errorFile).empty());
  }
  // Nothing started: no settings, no list, no platform directory made.
  EXPECT_FALSE(std::filesystem::exists(AppFile("FONDEX.DAT")));
  EXPECT_FALSE(std::filesystem::exists(Folder("home") / ".config"));
}

}  // namespace
}  // namespace fondex::e2e
