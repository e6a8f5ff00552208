// Journeys in Wayland sessions: GNOME's shell and the compositors of the wlroots family (sway,
// labwc) drawing their background with swaybg, headless. The program's window is on an X server,
// as it is through the session's Xwayland.

#include <png.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "desktops/DesktopJourney.h"
#include "desktops/GSettingsJourney.h"
#include "desktops/PictureColour.h"
#include "desktops/PlasmaJourney.h"
#include "desktops/WlrootsJourney.h"
#include "platform/posix/desktop/SpannedScreens.h"

namespace fondex::desktops {
namespace {

// An 8-bit RGB image of a PNG file; empty when it cannot be read.
e2e::Image ReadPng(const std::filesystem::path& file) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  e2e::Image image;
  if (png_image_begin_read_from_file(&png, file.c_str()) == 0) {
    return image;
  }
  png.format = PNG_FORMAT_RGB;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgb.resize(PNG_IMAGE_SIZE(png));
  if (png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) == 0) {
    return {};
  }
  return image;
}

// What a test may ask of the shell: its screenshot interface, and a desktop without the
// overview that a new session opens on.
constexpr const char* kShellExtension = R"(
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
export default class FondexTest extends Extension {
  enable() {
    global.context.unsafe_mode = true;
    Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
    Main.overview.hide();
  }
  disable() {}
}
)";

// GNOME's shell, headless on Wayland, drawing the background that its settings name; the
// screen through the shell's own screenshot interface.
class GnomeWaylandJourney : public GnomeJourney {
 public:
  static constexpr const char* kName = "Gnome";

 protected:
  std::optional<std::string> StartDesktop() override {
    for (const char* program : {"gnome-shell", "gdbus"}) {
      if (!LiveDesktop::Installed(program)) {
        return std::string(program) + " is not installed";
      }
    }
    // The shell asks the system bus for the session's seat: a bus of its own stands in.
    const std::filesystem::path system = Folder("runtime") / "system-bus";
    desktop_->Start(
        {"dbus-daemon", "--session", "--nofork", "--address=unix:path=" + system.string()});
    if (!WaitFor([&] { return std::filesystem::exists(system); })) {
      return "no system bus started";
    }
    desktop_->AddVariables({"DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + system.string(),
                            "XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=GNOME"});
    if (const std::optional<std::string> reason = GnomeJourney::StartDesktop()) {
      return reason;
    }
    const std::string uuid = "fondex-test@fondex.invalid";
    const std::filesystem::path extension =
        Folder("home") / ".local/share/gnome-shell/extensions" / uuid;
    std::filesystem::create_directories(extension);
    e2e::WriteFile(extension / "extension.js", kShellExtension);
    e2e::WriteFile(extension / "metadata.json",
                   R"({"uuid": ")" + uuid +
                       R"(", "name": "Fondex test", "description": "Screenshots for the tests",
                       "shell-version": ["45", "46", "47", "48", "49", "50", "51"]})");
    desktop_->Output(
        {"gsettings", "set", "org.gnome.shell", "enabled-extensions", "['" + uuid + "']"});
    std::vector<std::string> shell{"gnome-shell", "--headless", "--wayland"};
    for (int monitor = 0; monitor < monitors_; ++monitor) {
      shell.insert(shell.end(), {"--virtual-monitor", "1024x768"});
    }
    desktop_->Start(shell, {"DISPLAY="});
    if (!WaitFor([&] { return !CaptureScreen().rgb.empty(); }) &&
        !WaitFor([&] { return !CaptureScreen().rgb.empty(); })) {
      return "the shell's screenshot interface does not answer";
    }
    return std::nullopt;
  }

  // The program finds GNOME by the session's own names.
  std::string Kind() const override { return ""; }
  // The settings keep the last picture whether the program runs or not.
  void AfterProgram() {}

  // The headless shell draws a small picture, centred or tiled, across the whole screen and
  // shifted by half of it (its own drawing, whoever sets the picture): on the screen, scaled
  // pictures (stretched, fitted, filled) and the plain desktop are checked.
  bool ScreenChecked(Style style) const override {
    return style == Style::kStretched || style == Style::kFitted || style == Style::kFilled;
  }

  std::vector<std::string> ProgramVariables() const override {
    return e2e::WithVariables(desktop_->Environment(), {"WAYLAND_DISPLAY=wayland-0"});
  }

  int monitors_ = 1;  // side by side, each 1024 x 768

  e2e::Image CaptureScreen() override {
    const std::filesystem::path file = Folder("runtime") / "screen.png";
    std::filesystem::remove(file);
    const LiveDesktop::Outcome taken =
        desktop_->Run({"gdbus", "call", "--session", "--dest", "org.gnome.Shell.Screenshot",
                       "--object-path", "/org/gnome/Shell/Screenshot", "--method",
                       "org.gnome.Shell.Screenshot.Screenshot", "false", "false", file.string()});
    return taken.code == 0 ? ReadPng(file) : e2e::Image{};
  }
};

// A later start's --show in GNOME's shell, which gives the keyboard of another program's window
// only to a window that asks with a launch the shell made (its focus-stealing prevention). The
// program's window in the shell itself: natively on Wayland, or on the shell's Xwayland.
class GnomeActivation : public GnomeWaylandJourney,
                        public ::testing::WithParamInterface<std::string> {
 protected:
  // How long a refused request is given to show that it was not honoured after all.
  static constexpr std::chrono::milliseconds kRefusalWait{2000};

  // What the shell answers for a script: its value as JSON, or nothing when it fails.
  std::optional<std::string> Eval(const std::string& script) {
    const LiveDesktop::Outcome answer =
        desktop_->Run({"gdbus", "call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                       "/org/gnome/Shell", "--method", "org.gnome.Shell.Eval", script});
    const std::size_t first = answer.output.find('\'');
    const std::size_t last = answer.output.rfind('\'');
    if (answer.code != 0 || !answer.output.starts_with("(true") || first == last) {
      return std::nullopt;
    }
    return answer.output.substr(first + 1, last - first - 1);
  }
  std::string Text(const std::string& script) { return Unquoted(Eval(script).value_or("")); }

  // The script's JavaScript for the shell's window of the program, null when it has none.
  static std::string WindowOf(pid_t program) {
    return "global.display.list_all_windows().find(w => w.get_pid() === " +
           std::to_string(program) + " && w.get_title().startsWith('Fondex2'))";
  }
  bool HasWindow(pid_t program) { return Eval("!!" + WindowOf(program)) == "true"; }
  bool HasKeyboard(pid_t program) {
    return Eval("global.display.focus_window === " + WindowOf(program)) == "true";
  }
  bool DemandsAttention(pid_t program) {
    return Eval(WindowOf(program) + ".demands_attention") == "true";
  }
  // As the user's click on the window would: now, by the shell's clock.
  bool GiveKeyboard(pid_t program) {
    return Eval(WindowOf(program) + ".activate(global.display.get_current_time_roundtrip())")
        .has_value();
  }
  // The user goes on in that window (typing the command, say), later than anything the program
  // heard from the X server (a change of its window's state is an event with a time too).
  bool UserGoesOnIn(pid_t program) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return GiveKeyboard(program);
  }

  // The startup ID the shell's own launcher gives a program it starts now.
  std::string LaunchersToken() {
    return Text(
        "global.create_app_launch_context(global.display.get_current_time_roundtrip(), -1)"
        ".get_startup_notify_id(imports.gi.Gio.AppInfo.create_from_commandline('fondex', "
        "'Fondex', 0), [])");
  }

  // The program's window in the shell, of the kind the test asks for.
  std::vector<std::string> WindowVariables() {
    if (GetParam() == "wayland") {
      return e2e::WithVariables(ProgramVariables(), {"QT_QPA_PLATFORM=wayland", "DISPLAY="});
    }
    return e2e::WithVariables(
        ProgramVariables(),
        {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + Text("imports.gi.GLib.getenv('DISPLAY')"),
         "XAUTHORITY=" + Text("imports.gi.GLib.getenv('XAUTHORITY')")});
  }

  // A later start of the program with --show, its launcher's token (if any) as a launcher
  // hands it: its exit status.
  int ShowAgain(const std::filesystem::path& program, const std::string& token) {
    std::vector<std::string> variables = WindowVariables();
    if (!token.empty()) {
      variables.push_back(
          (GetParam() == "wayland" ? "XDG_ACTIVATION_TOKEN=" : "DESKTOP_STARTUP_ID=") + token);
    }
    return e2e::RunToCompletion(ProgramRequest(program, {"--show"}, "", variables), kWaitLimit);
  }
};

TEST_P(GnomeActivation, ALaterShowTakesTheKeyboardOnlyWithTheLaunchersToken) {
  const std::filesystem::path program = CopyProgramTo(Folder("fondex"));
  e2e::ChildProcess fondex(ProgramRequest(program, {}, "", WindowVariables()));
  ASSERT_TRUE(WaitFor([&] { return HasWindow(fondex.Pid()); }));
  // Another copy, in a folder of its own, takes the keyboard as the user's click gives it.
  e2e::ChildProcess other(
      ProgramRequest(CopyProgramTo(Folder("autre")), {}, "", WindowVariables()));
  ASSERT_TRUE(WaitFor([&] { return HasWindow(other.Pid()); }));
  ASSERT_TRUE(GiveKeyboard(other.Pid()));
  ASSERT_TRUE(WaitFor([&] { return HasKeyboard(other.Pid()); }));
  ASSERT_TRUE(UserGoesOnIn(other.Pid()));

  // Without a token the shell refuses: on X11 the window asks for attention instead (Qt asks at
  // the time of the last event it heard); Qt's Wayland plugin asks for nothing without input.
  EXPECT_EQ(0, ShowAgain(program, ""));
  if (GetParam() == "xcb") {
    EXPECT_TRUE(WaitFor([&] { return DemandsAttention(fondex.Pid()); }));
  }
  EXPECT_FALSE(e2e::WaitUntil([&] { return HasKeyboard(fondex.Pid()); }, kRefusalWait));
  EXPECT_TRUE(HasKeyboard(other.Pid()));

  // With the token of a launch of the shell's own, made after the user's last action, it gives
  // the keyboard: at the launch's time, not at that of the program's last event.
  ASSERT_TRUE(UserGoesOnIn(other.Pid()));
  const std::string token = LaunchersToken();
  ASSERT_FALSE(token.empty());
  EXPECT_EQ(0, ShowAgain(program, token));
  EXPECT_TRUE(WaitFor([&] { return HasKeyboard(fondex.Pid()); })) << "token " << token;
}

INSTANTIATE_TEST_SUITE_P(Windows, GnomeActivation, ::testing::Values("xcb", "wayland"),
                         [](const auto& info) {
                           return info.param == "xcb" ? "Xwayland" : "Wayland";
                         });

// The shell with two screens side by side, the program's window on either kind: each screen
// shows its own picture out of the one composed picture spanning both, and the system profile
// names the picture of the screen under the window.
class GnomeScreens : public GnomeActivation {
 protected:
  GnomeScreens() { monitors_ = 2; }

  // What the shell answers as a whole number, or -1.
  int Number(const std::string& script) {
    const std::string answer = Eval(script).value_or("");
    return !answer.empty() && std::isdigit(static_cast<unsigned char>(answer.front()))
               ? std::stoi(answer)
               : -1;
  }
  // Where the shell lays out the screen of that name, and that of the program's window.
  int LeftOf(const std::string& connector) {
    return Number(
        "global.display.get_monitor_geometry(global.backend.get_monitor_manager()"
        ".get_monitor_for_connector('" +
        connector + "')).x");
  }
  int WindowsLeft(pid_t program) {
    return Number("global.display.get_monitor_geometry(" + WindowOf(program) + ".get_monitor()).x");
  }
  // What a program of the session has: the shell's Xwayland, whichever kind its window is.
  std::vector<std::string> SessionVariables() {
    return e2e::WithVariables(WindowVariables(),
                              {"DISPLAY=" + Text("imports.gi.GLib.getenv('DISPLAY')"),
                               "XAUTHORITY=" + Text("imports.gi.GLib.getenv('XAUTHORITY')")});
  }

  // Each screen's picture, as the record beside the composed picture says.
  std::vector<platform::posix::desktop::ScreenPath> Recorded() const {
    const auto record = platform::posix::desktop::ParseComposition(
        e2e::ReadFile(Folder("home") / ".cache/fondex/spanned-screens"));
    return record ? record->screens : std::vector<platform::posix::desktop::ScreenPath>{};
  }

  // Both halves of the stretched picture at an eighth from each side of its screen, beside the
  // window the shell places in the middle.
  static bool ScreenShows(const e2e::Image& screen, int left, const std::string& picture) {
    return left >= 0 && ShowsStretched(screen, left, 1024, 384, picture, {0.125, 0.875});
  }
};

TEST_P(GnomeScreens, EachScreenShowsItsOwnPictureAndTheProfileTheWindowsScreens) {
  e2e::WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  e2e::WriteFile(PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + e2e::WindowsPath(Picture("Mer.BMP")) +
                     "\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  // The desktop's picture at start opens the folder the change picks from.
  SetFromOutside(Picture("Mer.BMP"));
  const std::filesystem::path program = CopyProgramTo(AppFile("fondex").parent_path());
  e2e::ChildProcess fondex(ProgramRequest(program, {}, "", SessionVariables()));
  ASSERT_TRUE(WaitFor([&] { return HasWindow(fondex.Pid()); }));
  EXPECT_EQ(0, e2e::RunToCompletion(ProgramRequest(program, {"--next"}, "", SessionVariables()),
                                    kWaitLimit));
  std::vector<platform::posix::desktop::ScreenPath> screens;
  ASSERT_TRUE(WaitFor([&] {
    screens = Recorded();
    return screens.size() == 2 && Unquoted(Get("picture-options")) == "spanned";
  })) << screens.size();
  EXPECT_NE(screens[0].path, screens[1].path);

  const int window = WindowsLeft(fondex.Pid());
  const auto under =
      std::ranges::find_if(screens, [&](const auto& on) { return LeftOf(on.screen) == window; });
  ASSERT_NE(under, screens.end()) << screens[0].screen << ", " << screens[1].screen;
  EXPECT_EQ(e2e::LowerAscii(e2e::StoredPath(under->path)), e2e::LowerAscii(WinIniWallpaper()));
  e2e::Image screen;
  const bool shown = WaitFor([&] {
    screen = CaptureScreen();
    return screen.width == 2048 && std::ranges::all_of(screens, [&](const auto& on) {
             return ScreenShows(screen, LeftOf(on.screen), on.path);
           });
  });
  if (!shown) {
    SaveScreenshot(screen, "two-screens");
  }
  EXPECT_TRUE(shown) << screens[0].path << " and " << screens[1].path;
}

INSTANTIATE_TEST_SUITE_P(Windows, GnomeScreens, ::testing::Values("xcb", "wayland"),
                         [](const auto& info) {
                           return info.param == "xcb" ? "Xwayland" : "Wayland";
                         });

template <class Desktop>
class Wayland : public Desktop {};

using Compositors =
    ::testing::Types<GnomeWaylandJourney, PlasmaWaylandJourney, SwayJourney, LabwcJourney>;

// "Wayland/Sway.TakesBitmaps", so that a filter picks compositors by name.
struct CompositorName {
  template <class Desktop>
  static std::string GetName(int) {
    return Desktop::kName;
  }
};

TYPED_TEST_SUITE(Wayland, Compositors, CompositorName);

TYPED_TEST(Wayland, TakesBitmaps) {
  this->RunJourney(Formats::kBitmapsOnly);
  this->AfterProgram();
}

TYPED_TEST(Wayland, TakesJpegPngAndWebp) {
  this->RunJourney(Formats::kWithOthers);
  this->AfterProgram();
}

}  // namespace
}  // namespace fondex::desktops
