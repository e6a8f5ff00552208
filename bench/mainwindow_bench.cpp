// The main window's own work, measured through the program as main() builds it, on the POSIX
// platform layer with no desktop (the wallpaper goes to WIN.INI alone), on data made once in a
// temporary directory and removed at the end:
//  - OpenDirectory on a directory of 100,000 bitmaps, in the user's order of names, beside a bare
//    readdir loop with a byte sort (target: at most twice the bare loop);
//  - LoadDirList of a FONDEX.DAT of 1001 existing directories (target: under 50 ms);
//  - one change by the global technique over 1001 directories of 100 bitmaps each.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BareListing.h"
#include "RatioReporter.h"
#include "mainwindow/FondexProgram.h"
#include "platform/posix/PosixPlatform.h"
#include "toolkit/Form.h"
#include "toolkit/StringList.h"
#include "util/Lists.h"
#include "util/Paths.h"

namespace {

using fondex::TFondexMainForm;
using fondex::TProgramState;
namespace posix = fondex::platform::posix;
namespace toolkit = fondex::toolkit;

constexpr int kLargeDirectoryFiles = 100000;
constexpr int kSearchDirectories = 1001;
constexpr int kFilesPerDirectory = 100;

// A 2 x 2 24-bit bitmap, bottom-up, rows padded to 8 bytes: the wallpaper service takes it.
std::string TinyBitmap() {
  std::string file = "BM";
  const auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      file += static_cast<char>(value >> (8 * i));
    }
  };
  put(70, 4);
  put(0, 4);
  put(54, 4);
  for (std::uint32_t field : {40u, 2u, 2u}) {
    put(field, 4);
  }
  put(1, 2);
  put(24, 2);
  file.resize(54, '\0');
  file.resize(70, '\x7f');
  return file;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const bool written =
      fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  if (fd < 0 || ::close(fd) != 0 || !written) {
    std::perror(path.c_str());
    std::exit(1);
  }
}

// The temporary directory of the whole run. The names made in it are lower-case, as the program
// writes paths, so that the platform layer finds each one under its exact name.
class Workspace {
 public:
  Workspace() {
    const std::string base = std::filesystem::temp_directory_path() /
                             ("fondex-mainwindow-bench-" + std::to_string(::getpid()));
    int attempt = 0;
    do {
      root_ = base + "-" + std::to_string(attempt++);
    } while (!std::filesystem::create_directory(root_));
    std::filesystem::create_directory(Path("platform"));
    std::filesystem::create_directory(Path("program"));
    ::setenv("FONDEX_PLATFORM_DIR", Path("platform").c_str(), 1);
  }
  ~Workspace() { std::filesystem::remove_all(root_); }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

 private:
  std::string root_;
};

const Workspace& TheWorkspace() {
  static const Workspace workspace;
  return workspace;
}

// The large directory, a third of its names in capitals so that the sort has case to ignore,
// and an empty neighbour; made on first use.
struct LargeDirectory {
  std::string large = TheWorkspace().Path("grand");
  std::string elsewhere = TheWorkspace().Path("ailleurs");

  LargeDirectory() {
    std::filesystem::create_directory(large);
    std::filesystem::create_directory(elsewhere);
    const std::string bitmap = TinyBitmap();
    for (int i = 0; i < kLargeDirectoryFiles; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, i % 3 == 0 ? "/FOND%06d.BMP" : "/fond%06d.bmp", i);
      WriteFile(large + name, bitmap);
    }
  }
};

const LargeDirectory& TheLargeDirectory() {
  static const LargeDirectory data;
  return data;
}

// The search directories with their bitmaps, made on first use; RunningProgram writes the
// FONDEX.DAT that lists them, as only the platform layer knows their Windows-shaped names.
struct SearchDirectories {
  std::vector<std::string> directories;

  SearchDirectories() {
    const std::string bitmap = TinyBitmap();
    for (int d = 0; d < kSearchDirectories; ++d) {
      char name[32];
      std::snprintf(name, sizeof name, "rep%04d", d);
      directories.push_back(TheWorkspace().Path("fonds/") + name);
      std::filesystem::create_directories(directories.back());
      for (int f = 0; f < kFilesPerDirectory; ++f) {
        std::snprintf(name, sizeof name, "/papier%03d.bmp", f);
        WriteFile(directories.back() + name, bitmap);
      }
    }
  }
};

const SearchDirectories& TheSearchDirectories() {
  static const SearchDirectories data;
  return data;
}

// Answers every box with its default button, cancels every file dialog and closes every modal
// form; in these measures any of them means that something went wrong.
class DefaultAnswers : public toolkit::ModalHost {
 public:
  int ShowMessageBox(const toolkit::MessageBoxRequest& request) override {
    Count(request.text);
    return toolkit::ButtonResult(request.defaultButton.value_or(toolkit::MessageButton::kOK));
  }
  std::optional<std::string> RunOpenDialog(const toolkit::OpenDialogRequest& request) override {
    Count("file dialog " + request.title);
    return std::nullopt;
  }
  void RunModal(toolkit::Form& form) override {
    Count("modal form " + form.Name());
    form.SetModalResult(toolkit::kCloseBoxResult);
  }

  int Shown() const { return shown_; }
  const std::string& First() const { return first_; }

 private:
  void Count(const std::string& what) {
    if (shown_++ == 0) {
      first_ = what;
    }
  }

  int shown_ = 0;
  std::string first_;
};

class NoHelp : public fondex::platform::HelpViewer {
 public:
  bool ShowHelp(const std::string&, int) override { return false; }
};

class FixedScreen : public fondex::platform::Screen {
 public:
  int Width() override { return 1920; }
  int Height() override { return 1080; }
};

class NoDrops : public fondex::platform::ShellDrop {
 public:
  void DragAcceptFiles(const void*, bool) override {}
  unsigned DragQueryFileCount(fondex::platform::DropHandle) override { return 0; }
  std::string DragQueryFile(fondex::platform::DropHandle, unsigned, std::size_t) override {
    return "";
  }
  void DragFinish(fondex::platform::DropHandle) override {}
};

// Automatic changes come minutes apart, so each reading of this clock is one second later than
// the last: every change draws afresh. (Two changes within one millisecond of the system clock
// would draw the same directory, which the file list then would not search again.)
class SteppingClock : public fondex::platform::Clock {
 public:
  fondex::platform::SystemTime NowUtc() override {
    seconds_ = (seconds_ + 1) % 86400;
    return {seconds_ / 3600, seconds_ / 60 % 60, seconds_ % 60, 0};
  }

 private:
  int seconds_ = 0;
};

// The platform directory of a program about to start: no wallpaper stored in it yet.
std::string FreshPlatformDirectory() {
  std::filesystem::remove(TheWorkspace().Path("platform/WIN.INI"));
  return posix::PlatformDirectoryFromEnvironment();
}

// The program started as main() starts it, on the POSIX layer with no desktop; its directory
// list file is then the one of the workspace's program directory.
class RunningProgram {
 public:
  RunningProgram()
      : system_(FreshPlatformDirectory(), posix::desktop::DesktopKind::kNone),
        program_(app_, {system_.Files(), system_.Profiles(), system_.Desktop(), clock_, screen_,
                        help_, drops_, system_.Collation()}) {
    program_.Start();
    startedEmpty_ = Main().DirListeBox.Count() == 0;
    Main().AppDir = WindowsPath(TheWorkspace().Path("program")) + "\\";
    Main().DirFileName = Main().AppDir + "FONDEX.DAT";
  }

  TFondexMainForm& Main() { return program_.MainForm(); }
  fondex::TOptBox& Options() { return program_.OptBox(); }
  toolkit::Application& App() { return app_; }
  TProgramState& State() { return program_.Program().ProgramState; }
  posix::PosixPlatform& System() { return system_; }

  // A POSIX path as the program writes it: Windows-shaped and lower-case.
  std::string WindowsPath(const std::string& posixPath) const {
    return fondex::util::LowerAscii(system_.Paths().ToWindows(posixPath));
  }

  // LoadDirList as the main window's creation runs it: during start-up, through the dispatcher.
  void LoadDirList() {
    State() = TProgramState::StateStarting;
    app_.Dispatch([this] { Main().LoadDirList(); });
    State() = TProgramState::StateReady;
  }

  // FONDEX.DAT of the search directories, each counted, written as the program writes it.
  void WriteDirListFile() {
    std::vector<std::string> lines;
    for (const std::string& directory : TheSearchDirectories().directories) {
      lines.push_back(WindowsPath(directory));
    }
    std::sort(lines.begin(), lines.end(), toolkit::NameOrder{system_.Collation()});
    lines.resize(2 * lines.size(), std::to_string(kFilesPerDirectory));
    std::string text;
    for (const std::string& line : lines) {
      text += line + "\r\n";
    }
    WriteFile(TheWorkspace().Path("program/FONDEX.DAT"), text);
  }

  // Why the measure does not stand, or nothing.
  std::optional<std::string> Failure() const {
    if (!startedEmpty_) {
      return "the program started with directories from a FONDEX.DAT beside the bench program";
    }
    if (host_.Shown() > 0) {
      return std::to_string(host_.Shown()) + " box(es) shown, the first: " + host_.First();
    }
    return std::nullopt;
  }

 private:
  posix::PosixPlatform system_;
  DefaultAnswers host_;
  NoHelp help_;
  FixedScreen screen_;
  NoDrops drops_;
  SteppingClock clock_;
  toolkit::Application app_{host_, help_};
  fondex::FondexProgram program_;
  bool startedEmpty_ = false;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void OpenDirectoryOf100000Bitmaps(benchmark::State& state) {
  const LargeDirectory& data = TheLargeDirectory();
  RunningProgram run;
  TFondexMainForm& main = run.Main();
  const std::string large = run.WindowsPath(data.large);
  const std::string elsewhere = run.WindowsPath(data.elsewhere);
  main.NouveauRep(large);
  main.NouveauRep(elsewhere);
  const int index = fondex::util::FindInList(main.DirListeBox, large, false);
  const int elsewhereIndex = fondex::util::FindInList(main.DirListeBox, elsewhere, false);
  for (auto _ : state) {
    // The file list does not search again the directory it shows: it goes elsewhere first.
    main.OpenDirectory(elsewhereIndex);
    const auto start = std::chrono::steady_clock::now();
    main.OpenDirectory(index);
    state.SetIterationTime(SecondsSince(start));
  }
  if (const auto failure = run.Failure()) {
    state.SkipWithError(failure->c_str());
  } else if (main.FichListeBox.Count() != kLargeDirectoryFiles ||
             main.DirCounts.Get(index) != kLargeDirectoryFiles) {
    state.SkipWithError("the directory is not listed and counted whole");
  }
}

void BareReaddirAndSort(benchmark::State& state) {
  fondex::bench::MeasureBareReaddirAndSort(state, TheLargeDirectory().large, kLargeDirectoryFiles);
}

void LoadDirListOf1001Directories(benchmark::State& state) {
  TheSearchDirectories();
  RunningProgram run;
  run.WriteDirListFile();
  TFondexMainForm& main = run.Main();
  for (auto _ : state) {
    // Each load starts from the empty list of a program start.
    main.DirListeBox.Clear();
    const auto start = std::chrono::steady_clock::now();
    run.LoadDirList();
    state.SetIterationTime(SecondsSince(start));
  }
  if (const auto failure = run.Failure()) {
    state.SkipWithError(failure->c_str());
  } else if (main.DirListeBox.Count() != kSearchDirectories ||
             main.DirCounts.Get(kSearchDirectories - 1) != kFilesPerDirectory) {
    state.SkipWithError("the directory list is not loaded whole");
  }
}

void GlobalChangeOver1001Directories(benchmark::State& state) {
  TheSearchDirectories();
  RunningProgram run;
  run.WriteDirListFile();
  run.LoadDirList();
  run.Options().SetHasardTech(fondex::THasardTech::HasardGlobal);
  TFondexMainForm& main = run.Main();
  for (auto _ : state) {
    run.App().Dispatch([&main] { main.BBtnHasard.Click(); });
  }
  const std::string stored =
      run.System().Profiles().GetString(posix::kSystemProfile, "Desktop", "Wallpaper", "", 1024);
  if (const auto failure = run.Failure()) {
    state.SkipWithError(failure->c_str());
  } else if (main.CurrentWallpaper.empty() || stored != main.CurrentWallpaper ||
             main.DirListeBox.Count() != kSearchDirectories) {
    state.SkipWithError("the chosen wallpaper is not on the desktop");
  }
}

BENCHMARK(OpenDirectoryOf100000Bitmaps)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BareReaddirAndSort)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDirListOf1001Directories)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(GlobalChangeOver1001Directories)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  fondex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("OpenDirectory / bare readdir+sort (target at most 2)",
                      "OpenDirectoryOf100000Bitmaps", "BareReaddirAndSort");
  benchmark::Shutdown();
  return 0;
}
