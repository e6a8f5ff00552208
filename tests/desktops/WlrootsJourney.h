#pragma once

// The compositors of the wlroots family (sway, labwc), headless, drawing their background with
// swaybg. The program's window is on an X server, as it is through the session's Xwayland.

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "desktops/DesktopJourney.h"

namespace fondex::desktops {

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
    if (outputs_ > 1) {
      variables.push_back("WLR_HEADLESS_OUTPUTS=" + std::to_string(outputs_));
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
  e2e::Image CaptureScreen() override { return Capture({}); }
  // What one output shows.
  e2e::Image CaptureOutput(const std::string& output) { return Capture({"-o", output}); }

  // The last picture stays once the program has ended, drawn by one swaybg.
  void AfterProgram() {
    const std::optional<std::string> kept = Kept();
    EXPECT_TRUE(kept && kept->ends_with(" stretch")) << kept.value_or("nothing");
  }

  std::filesystem::path runtime_;
  std::string socket_;
  int outputs_ = 1;  // the compositor's headless outputs

 private:
  e2e::Image Capture(const std::vector<std::string>& options) {
    const std::filesystem::path file = runtime_ / "screen.ppm";
    std::vector<std::string> grim = {
        "env", "WAYLAND_DISPLAY=" + socket_, "XDG_RUNTIME_DIR=" + runtime_.string(), "grim", "-t",
        "ppm"};
    grim.insert(grim.end(), options.begin(), options.end());
    grim.push_back(file.string());
    std::filesystem::remove(file);
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

}  // namespace fondex::desktops
