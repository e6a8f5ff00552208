#include "e2e/FondexJourney.h"

#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "e2e/PngFile.h"

namespace fondex::e2e {

namespace {

constexpr std::chrono::milliseconds kSettleInterval{150};

std::string TrimmedLine(std::string line) {
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return line;
}

// Line ends and Latin-1 bytes shown as escapes.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      constexpr char kDigits[] = "0123456789ABCDEF";
      quoted += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::filesystem::path ProgramUnderTest() {
  const std::string binary = EnvironmentValue("FONDEX_BINARY");
  if (binary.empty()) {
    throw std::runtime_error("FONDEX_BINARY does not name the program to drive");
  }
  return binary;
}

}  // namespace

FondexJourney::FondexJourney() : FondexJourney(1) {}

FondexJourney::FondexJourney(int monitors)
    : appDir_(sandbox_.Folder("programme")), platformDir_(sandbox_.Folder("plateforme")) {
  const std::string log = (sandbox_.Root() / "xvfb.log").string();
  screen_ = monitors == 1
                ? std::make_unique<VirtualScreen>(kScreenWidth, kScreenHeight, log)
                : std::make_unique<VirtualScreen>(kScreenWidth, kScreenHeight, monitors, log);
}

void FondexJourney::TearDown() {
  if (HasFailure()) {
    std::cout << "--- output of the program ---\n"
              << Log("fondex.log") << "--- output of xdotool ---\n"
              << Log("xdotool.log") << "---\n";
  }
}

std::filesystem::path FondexJourney::AppFile(const std::string& name) const {
  return appDir_ / name;
}

std::filesystem::path FondexJourney::PlatformFile(const std::string& name) const {
  return platformDir_ / name;
}

std::filesystem::path FondexJourney::ImageFolder(const std::string& name) const {
  return sandbox_.Folder(std::filesystem::path("images") / name);
}

std::filesystem::path FondexJourney::PictureFolder(const std::string& name) const {
  const std::filesystem::path folder = ImageFolder(name);
  WriteBitmap(folder / "ciel.bmp", 8, 8, {120, 200, 255});
  WriteBitmap(folder / "foret.bmp", 8, 8, {0, 140, 40});
  WriteBitmap(folder / "Mer.BMP", 8, 8, {0, 80, 200});
  return folder;
}

std::string FondexJourney::WinIniNaming(const std::string& wallpaper) {
  return "[Desktop]\r\nWallpaper=" + wallpaper + "\r\n";
}

void FondexJourney::WriteWinIni(const std::string& wallpaper) const {
  WriteFile(PlatformFile("WIN.INI"), WinIniNaming(wallpaper));
}

std::string FondexJourney::WinIniWallpaper() const {
  std::istringstream profile(ReadFile(PlatformFile("WIN.INI")));
  std::string section;
  for (std::string line; std::getline(profile, line);) {
    line = TrimmedLine(line);
    if (!line.empty() && line.front() == '[') {
      section = LowerAscii(line);
    } else if (section == "[desktop]" && LowerAscii(line).starts_with("wallpaper=")) {
      return line.substr(line.find('=') + 1);
    }
  }
  return "(no wallpaper entry)";
}

std::vector<std::string> FondexJourney::ProgramEnvironment(
    const std::string& desktop, const std::vector<std::string>& extra) const {
  const std::filesystem::path runtime = sandbox_.Folder("runtime");
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  std::vector<std::string> environment = {
      "DISPLAY=" + screen_->DisplayName(),
      "FONDEX_PLATFORM_DIR=" + platformDir_.string(),
      "FONDEX_DESKTOP=" + desktop,
      "XDG_RUNTIME_DIR=" + runtime.string(),
      "HOME=" + sandbox_.Folder("home").string(),
      "PATH=" + EnvironmentValue("PATH"),
      "LANG=C.UTF-8",
      // No session bus: one started on demand by the bus library would outlive the journey.
      "DBUS_SESSION_BUS_ADDRESS=unix:path=" + (sandbox_.Root() / "no-bus").string(),
  };
  // A sanitizer build of the program takes the same options as the tests.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const std::string value = EnvironmentValue(name); !value.empty()) {
      environment.push_back(std::string(name) + "=" + value);
    }
  }
  environment.push_back("LSAN_OPTIONS=" + LeakOptions());
  return WithVariables(std::move(environment), extra);
}

// Qt's D-Bus thread leaves a buffer of libdbus behind when no session bus answers, as under a
// bare X server; that leak is the library's, not the program's.
std::string FondexJourney::LeakOptions() const {
  const std::filesystem::path suppressions = sandbox_.Root() / "lsan-suppressions.txt";
  WriteFile(suppressions, "leak:libdbus-1.so\n");
  std::string options = EnvironmentValue("LSAN_OPTIONS");
  return options + (options.empty() ? "" : ":") + "suppressions=" + suppressions.string();
}

std::filesystem::path FondexJourney::StartInstalledFondex(const std::string& desktop) {
  const std::filesystem::path bin = sandbox_.Folder("usr/bin");
  const std::filesystem::path copy = CopyProgramTo(bin, sandbox_.Folder("usr/share/fondex"));
  using std::filesystem::perms;
  std::filesystem::permissions(bin, perms::owner_read | perms::owner_exec | perms::group_read |
                                        perms::group_exec | perms::others_read |
                                        perms::others_exec);
  StartAndWait(ProgramRequest(copy, {}, desktop, {}));
  return bin;
}

std::filesystem::path FondexJourney::CopyProgramTo(const std::filesystem::path& folder,
                                                   const std::filesystem::path& helpFolder) const {
  const std::filesystem::path original = ProgramUnderTest();
  const std::filesystem::path copy = folder / "fondex";
  std::filesystem::copy_file(original, copy, std::filesystem::copy_options::overwrite_existing);
  const std::filesystem::path help = original.parent_path() / "Fondex.hlp";
  if (std::filesystem::exists(help)) {
    std::filesystem::copy_file(help, (helpFolder.empty() ? folder : helpFolder) / "Fondex.hlp",
                               std::filesystem::copy_options::overwrite_existing);
  }
  return copy;
}

SpawnRequest FondexJourney::ProgramRequest(const std::filesystem::path& program,
                                           const std::vector<std::string>& arguments,
                                           const std::string& desktop,
                                           const std::vector<std::string>& environment) const {
  SpawnRequest request;
  request.arguments = {program.string()};
  request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
  request.environment = ProgramEnvironment(desktop, environment);
  request.outputFile = (sandbox_.Root() / "fondex.log").string();
  return request;
}

void FondexJourney::StartFondex(const std::string& desktop,
                                const std::vector<std::string>& environment) {
  StartAndWait(ProgramRequest(CopyProgramTo(appDir_), {}, desktop, environment));
}

void FondexJourney::StartFondexWith(const std::vector<std::string>& arguments,
                                    const std::filesystem::path& workingDirectory) {
  SpawnRequest request = ProgramRequest(CopyProgramTo(appDir_), arguments);
  request.workingDirectory = workingDirectory.string();
  StartAndWait(request);
}

void FondexJourney::StartAndWait(const SpawnRequest& request) {
  fondex_ = std::make_unique<ChildProcess>(request);
  mainWindow_ = WaitForWindow("Fondex2");
}

WindowId FondexJourney::WaitForWindow(const std::string& titlePrefix, WindowId otherThan) {
  return WaitForWindow(*fondex_, titlePrefix, otherThan);
}

WindowId FondexJourney::WaitForWindow(ChildProcess& process, const std::string& titlePrefix,
                                      WindowId otherThan) {
  WindowId found = 0;
  WaitFor([&] {
    for (const WindowId window : screen_->WindowsOf(process.Pid())) {
      if (window != otherThan && screen_->Title(window).starts_with(titlePrefix)) {
        found = window;
        return true;
      }
    }
    return process.WaitForExit(std::chrono::milliseconds(0)).has_value();
  });
  if (found != 0) {
    return found;
  }
  if (const std::optional<int> code = process.WaitForExit(std::chrono::milliseconds(0))) {
    throw std::runtime_error("the program ended with code " + std::to_string(*code) +
                             " before a window titled \"" + titlePrefix + "...\" appeared");
  }
  throw std::runtime_error("no window titled \"" + titlePrefix + "...\" appeared");
}

void FondexJourney::WaitUntilGone(WindowId window) {
  if (!WaitFor([&] { return !screen_->IsMapped(window); })) {
    throw std::runtime_error("the window \"" + screen_->Title(window) + "\" stayed open");
  }
}

::testing::AssertionResult FondexJourney::TitleBecomes(WindowId window,
                                                       const std::string& expected) {
  return Becomes(
      "the title", [&] { return screen_->Title(window); }, expected);
}

::testing::AssertionResult FondexJourney::WallpaperBecomes(const std::string& expected) {
  return Becomes(
      "the wallpaper", [&] { return WinIniWallpaper(); }, expected);
}

::testing::AssertionResult FondexJourney::FileBecomes(const std::filesystem::path& path,
                                                      const std::string& expected) {
  return Becomes(
      path.filename().string(), [&] { return ReadFile(path); }, expected);
}

::testing::AssertionResult FondexJourney::Becomes(const std::string& what,
                                                  const std::function<std::string()>& probe,
                                                  const std::string& expected) {
  std::string value;
  if (WaitFor([&] { return (value = probe()) == expected; })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << what << " is " << Quoted(value) << ", not " << Quoted(expected);
}

bool FondexJourney::WaitFor(const std::function<bool()>& condition) {
  return WaitUntil(condition, kWaitLimit);
}

void FondexJourney::RunXdotool(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "xdotool");
  SpawnRequest request;
  request.arguments = arguments;
  request.environment = {"DISPLAY=" + screen_->DisplayName(), "PATH=" + EnvironmentValue("PATH")};
  request.outputFile = (sandbox_.Root() / "xdotool.log").string();
  if (RunToCompletion(request, kWaitLimit) != 0) {
    throw std::runtime_error("xdotool " + arguments.at(1) + " failed");
  }
}

void FondexJourney::Click(WindowId window, Bounds control) {
  RunXdotool({"mousemove", "--window", std::to_string(window),
              std::to_string(control.left + control.width / 2),
              std::to_string(control.top + control.height / 2), "click", "1"});
}

void FondexJourney::WaitForKeyboard(WindowId window) {
  if (!WaitFor([&] { return screen_->KeyboardGoesTo(window); })) {
    throw std::runtime_error("the keyboard does not reach the window \"" + screen_->Title(window) +
                             "\"");
  }
}

void FondexJourney::Key(WindowId window, const std::string& keys) {
  WaitForKeyboard(window);
  RunXdotool({"key", keys});
}

void FondexJourney::TypeText(WindowId window, const std::string& text) {
  WaitForKeyboard(window);
  RunXdotool({"type", "--delay", "5", "--", text});
}

void FondexJourney::MovePointerTo(int x, int y) {
  RunXdotool({"mousemove", std::to_string(x), std::to_string(y)});
}

void FondexJourney::Raise(WindowId window) {
  RunXdotool({"windowraise", std::to_string(window)});
}

void FondexJourney::EnterName(const std::string& name) {
  Click(MainWindow(), main_window::kEditChoisiBMP);
  Key(MainWindow(), "ctrl+a");
  TypeText(MainWindow(), name);
  Key(MainWindow(), "Return");
}

void FondexJourney::ChooseLayout(int line) {
  Click(MainWindow(), main_window::kBBtnOptions);
  PickLayout(WaitForWindow("Fondex : Options"), line);
}

void FondexJourney::PickLayout(WindowId options, int line) {
  Raise(options);
  Click(options, options_dialog::DispositionLine(line));
  Click(options, options_dialog::kOKBtn);
  WaitUntilGone(options);
}

void FondexJourney::CloseWindow(WindowId window) {
  screen_->RequestClose(window);
}

int FondexJourney::WaitForExit() {
  const std::optional<int> code = fondex_->WaitForExit(kWaitLimit);
  if (!code) {
    throw std::runtime_error("the program did not end");
  }
  return *code;
}

void FondexJourney::SendSignal(int signal) {
  if (::kill(fondex_->Pid(), signal) != 0) {
    throw std::runtime_error("the program cannot be sent signal " + std::to_string(signal));
  }
}

Image FondexJourney::SteadyImage(WindowId window) {
  Image last = screen_->Capture(window);
  Image now;
  const auto end = std::chrono::steady_clock::now() + kWaitLimit;
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(kSettleInterval);
    now = screen_->Capture(window);
    if (!now.rgb.empty() && now == last) {
      return now;
    }
    last = now;
  }
  throw std::runtime_error("the window's picture did not settle");
}

bool FondexJourney::RootCentreNear(Rgb colour) const {
  constexpr int kTolerance = 8;
  const Image centre =
      Screen().CaptureArea(Screen().Root(), Screen().Width() / 2, Screen().Height() / 2, 1, 1);
  const std::uint8_t expected[] = {colour.red, colour.green, colour.blue};
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::abs(centre.rgb[i] - expected[i]) > kTolerance) {
      return false;
    }
  }
  return true;
}

void FondexJourney::SaveScreenshot(const Image& image, const std::string& name) const {
  const std::filesystem::path folder = FONDEX_E2E_ARTIFACTS;
  std::filesystem::create_directories(folder);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  // A typed suite's name holds a slash ("Journey/Gnome").
  std::string file = std::string(test->test_suite_name()) + "-" + test->name() + "-" + name;
  std::replace(file.begin(), file.end(), '/', '-');
  WritePng(folder / (file + ".png"), image);
}

std::string FondexJourney::Log(const char* name) const {
  return ReadFile(sandbox_.Root() / name);
}

}  // namespace fondex::e2e
