// Journeys in Wayland sessions: GNOME's shell and the compositors of the wlroots family (sway,
// labwc) drawing their background with swaybg, headless. The program's window is on an X server,
// as it is through the session's Xwayland.

#include <png.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "desktops/DesktopJourney.h"
#include "desktops/GSettingsJourney.h"
#include "desktops/PlasmaJourney.h"

namespace fondex::desktops {
namespace {

// The colour a labwc session's own swaybg paints (labwc's example autostart).
constexpr e2e::Rgb kSessionColour{0x11, 0x33, 0x44};

// A wlroots compositor, headless. They refuse to run as root (sway) or should not: then they run
// as the user FONDEX_DESKTOP_USER names, in a runtime folder of that user's.
class WlrootsJourney : public DesktopJourney {
 protected:
  ~WlrootsJourney() override {
    desktop_.reset();
    if (!runtime_.empty()) {
      std::filesystem::remove_all(runtime_);
    }
  }

  // Starts the compositor with its configuration folder or file ready; its socket's name.
  virtual std::optional<std::string> StartCompositor() = 0;
  virtual std::string SessionName() const = 0;

  std::optional<std::string> StartDesktop() override {
    for (const std::string& program : {std::string("swaybg"), std::string("grim"), SessionName()}) {
      if (!LiveDesktop::Installed(program)) {
        return program + " is not installed";
      }
    }
    if (::geteuid() == 0) {
      const std::string user = e2e::EnvironmentValue("FONDEX_DESKTOP_USER");
      const passwd* account = user.empty() ? nullptr : ::getpwnam(user.c_str());
      if (account == nullptr) {
        return "run as root, and FONDEX_DESKTOP_USER names no user to run the compositor";
      }
      asUser_ = {"setpriv", "--reuid=" + std::to_string(account->pw_uid),
                 "--regid=" + std::to_string(account->pw_gid), "--clear-groups"};
      MakeRuntime(account->pw_uid, account->pw_gid);
    } else {
      MakeRuntime(::geteuid(), ::getegid());
    }
    return StartCompositor();
  }

  // The compositor as the session's user, headless, drawn without a GPU.
  void StartAsUser(std::vector<std::string> argv) {
    std::vector<std::string> command = asUser_;
    command.insert(command.end(), argv.begin(), argv.end());
    std::vector<std::string> variables = {
        "HOME=" + runtime_.string(), "XDG_RUNTIME_DIR=" + runtime_.string(),
        "WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"};
    if (!socket_.empty()) {
      variables.push_back("WAYLAND_DISPLAY=" + socket_);
    }
    desktop_->Start(command, variables);
  }

  bool SocketOpens(const std::string& name) {
    if (!WaitFor([&] { return std::filesystem::exists(runtime_ / name); })) {
      return false;
    }
    socket_ = name;
    return true;
  }

  // The session's display, and the program's window on the X server.
  std::vector<std::string> ProgramVariables() const override {
    std::vector<std::string> session = {
        "WAYLAND_DISPLAY=" + socket_, "XDG_RUNTIME_DIR=" + runtime_.string(),
        "XDG_SESSION_TYPE=wayland", "XDG_CURRENT_DESKTOP=" + CurrentDesktop()};
    const std::vector<std::string> extra = ExtraProgramVariables();
    session.insert(session.end(), extra.begin(), extra.end());
    return e2e::WithVariables(desktop_->Environment(), session);
  }
  virtual std::string CurrentDesktop() const = 0;
  virtual std::vector<std::string> ExtraProgramVariables() const { return {}; }

  // The program finds the desktop by the session's own names.
  std::string Kind() const override { return ""; }

  // The swaybg processes of this session that still run.
  std::vector<std::vector<std::string>> Drawers() const {
    std::vector<std::vector<std::string>> drawers;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      const std::string stat = e2e::ReadFile(entry.path() / "stat");
      const std::size_t close = stat.rfind(')');
      if (stat.find("(swaybg)") == std::string::npos || close + 2 >= stat.size() ||
          stat[close + 2] == 'Z' ||
          e2e::ReadFile(entry.path() / "environ").find(runtime_.string()) == std::string::npos) {
        continue;
      }
      std::istringstream arguments(e2e::ReadFile(entry.path() / "cmdline"));
      std::vector<std::string> argv;
      for (std::string argument; std::getline(arguments, argument, '\0');) {
        argv.push_back(argument);
      }
      drawers.push_back(argv);
    }
    return drawers;
  }

  // What the one drawer of the session draws: there must be exactly one.
  std::optional<std::string> Kept() override {
    const std::vector<std::vector<std::string>> drawers = Drawers();
    if (drawers.size() != 1) {
      return std::to_string(drawers.size()) + " swaybg at once";
    }
    std::string image;
    std::string mode;
    for (std::size_t at = 0; at + 1 < drawers.front().size(); ++at) {
      if (drawers.front()[at] == "-i") {
        image = drawers.front()[at + 1];
      } else if (drawers.front()[at] == "-m") {
        mode = drawers.front()[at + 1];
      }
    }
    return mode == "solid_color" || image.empty() ? "plain" : Normal(image) + " " + mode;
  }

  std::array<std::string, 5> StyleWords() const override {
    return {"center", "tile", "stretch", "fit", "fill"};
  }

  // A swaybg of the user's own, started in the session: it draws above the one before. (It runs
  // as the journey does, which alone may read the journey's pictures.)
  bool SetFromOutside(const std::filesystem::path& picture) override {
    desktop_->Start({"swaybg", "-i", picture.string(), "-m", "fill"},
                    {"XDG_RUNTIME_DIR=" + runtime_.string(), "WAYLAND_DISPLAY=" + socket_});
    return WaitFor([&] {
      for (const auto& argv : Drawers()) {
        if (std::find(argv.begin(), argv.end(), picture.string()) != argv.end()) {
          return true;
        }
      }
      return false;
    });
  }

  // What the headless output shows, through grim.
  e2e::Image CaptureScreen() override {
    const std::filesystem::path file = runtime_ / "screen.ppm";
    std::vector<std::string> grim = {"env",
                                     "WAYLAND_DISPLAY=" + socket_,
                                     "XDG_RUNTIME_DIR=" + runtime_.string(),
                                     "grim",
                                     "-t",
                                     "ppm",
                                     file.string()};
    desktop_->Output(grim);
    std::istringstream ppm(e2e::ReadFile(file));
    std::string magic;
    e2e::Image image;
    int maximum = 0;
    ppm >> magic >> image.width >> image.height >> maximum;
    ppm.get();
    image.rgb.resize(static_cast<std::size_t>(image.width * image.height * 3));
    ppm.read(reinterpret_cast<char*>(image.rgb.data()),
             static_cast<std::streamsize>(image.rgb.size()));
    return image;
  }

  // The last picture stays once the program has ended, drawn by one swaybg.
  void AfterProgram() {
    const std::optional<std::string> kept = Kept();
    EXPECT_TRUE(kept && kept->ends_with(" stretch")) << kept.value_or("nothing");
  }

  std::filesystem::path runtime_;
  std::string socket_;

 private:
  void MakeRuntime(uid_t owner, gid_t group) {
    std::string folder = "/tmp/fondex-wayland-XXXXXX";
    runtime_ = ::mkdtemp(folder.data());
    if (::chown(runtime_.c_str(), owner, group) != 0) {
      throw std::runtime_error("cannot give " + runtime_.string() + " to the compositor's user");
    }
  }

  std::vector<std::string> asUser_;
};

// sway with a configuration of one line, its output in the 1280 x 1024 of the X journeys (the
// headless output's own 1280 x 720 has the proportions of today's pictures, which fit and fill
// alike): version 1.10 still starts a swaybg of its own.
class SwayJourney : public WlrootsJourney {
 public:
  static constexpr const char* kName = "Sway";

 protected:
  std::string SessionName() const override { return "sway"; }
  std::string CurrentDesktop() const override { return "sway"; }

  std::optional<std::string> StartCompositor() override {
    e2e::WriteFile(runtime_ / "config", "output * mode 1280x1024\n");
    StartAsUser({"sway", "-c", (runtime_ / "config").string()});
    if (!SocketOpens("wayland-1")) {
      return "sway did not open its display";
    }
    return std::nullopt;
  }

  // sway's socket, as its session hands it to every program.
  std::vector<std::string> ExtraProgramVariables() const override {
    for (const auto& entry : std::filesystem::directory_iterator(runtime_)) {
      if (entry.path().filename().string().starts_with("sway-ipc.")) {
        return {"SWAYSOCK=" + entry.path().string()};
      }
    }
    return {};
  }
};

// labwc, with the autostart file its example gives: a swaybg painting the session's colour.
class LabwcJourney : public WlrootsJourney {
 public:
  static constexpr const char* kName = "Labwc";

 protected:
  std::string SessionName() const override { return "labwc"; }
  std::string CurrentDesktop() const override { return "labwc:wlroots"; }

  std::optional<std::string> StartCompositor() override {
    const std::filesystem::path config = runtime_ / "labwc";
    std::filesystem::create_directories(config);
    e2e::WriteFile(config / "autostart", "swaybg -c '#113344' >/dev/null 2>&1 &\n");
    StartAsUser({"labwc", "-C", config.string()});
    if (!SocketOpens("wayland-0")) {
      return "labwc did not open its display";
    }
    if (!WaitFor([&] { return Drawers().size() == 1; })) {
      return "labwc's autostart started no swaybg";
    }
    return std::nullopt;
  }

  // Its headless output, 1280 x 720, has the large picture's proportions: fitted and filled are
  // kept, not told apart on the screen.
  bool ScreenChecked(Style style) const override {
    return style != Style::kFitted && style != Style::kFilled;
  }

  // A plain desktop is the session's colour in the middle of the screen (the headless output
  // darkens towards its edges).
  std::optional<std::string> Kept() override {
    const std::optional<std::string> kept = WlrootsJourney::Kept();
    if (kept != "plain") {
      return kept;
    }
    const e2e::Image screen = CaptureScreen();
    const auto at =
        static_cast<std::size_t>((screen.height / 2 * screen.width + screen.width / 2) * 3);
    const auto near = [](std::uint8_t shown, std::uint8_t wanted) {
      return std::abs(shown - wanted) <= 4;
    };
    const bool coloured = at + 2 < screen.rgb.size() && near(screen.rgb[at], kSessionColour.red) &&
                          near(screen.rgb[at + 1], kSessionColour.green) &&
                          near(screen.rgb[at + 2], kSessionColour.blue);
    return coloured ? *kept : "plain, not in the session's colour";
  }
};

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
    desktop_->Start({"gnome-shell", "--headless", "--wayland", "--virtual-monitor", "1024x768"},
                    {"DISPLAY="});
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
