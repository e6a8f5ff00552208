// One journey per real desktop, each with the desktop's own programs and tools.

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "desktops/DesktopJourney.h"

namespace fondex::desktops {
namespace {

// The quoted string gsettings prints, without its quotes.
std::string Unquoted(std::string printed) {
  while (!printed.empty() && (printed.back() == '\n' || printed.back() == ' ')) {
    printed.pop_back();
  }
  return printed.size() >= 2 ? printed.substr(1, printed.size() - 2) : printed;
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

// GNOME, Cinnamon and MATE: their settings schemas and the dconf store behind gsettings.
class GSettingsJourney : public DesktopJourney {
 protected:
  GSettingsJourney(std::string kind, std::string schema, bool pictureIsUri)
      : schema_(std::move(schema)), kind_(std::move(kind)), pictureIsUri_(pictureIsUri) {}

  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("gsettings") || !LiveDesktop::Installed("dbus-daemon")) {
      return "gsettings or dbus-daemon is not installed";
    }
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    if (desktop_->Run({"gsettings", "list-keys", schema_}).code != 0) {
      return "the schema " + schema_ + " is not installed";
    }
    // Without dconf, gsettings keeps each value in the memory of the one process.
    if (desktop_->Run({"gsettings", "set", schema_, "picture-options", "'zoom'"}).code != 0 ||
        Unquoted(Get("picture-options")) != "zoom") {
      return "gsettings keeps nothing between processes (no dconf back-end)";
    }
    return std::nullopt;
  }

  std::string Kind() const override { return kind_; }

  std::optional<std::string> Kept() override {
    const std::string options = Unquoted(Get("picture-options"));
    const std::string picture =
        pictureIsUri_ ? PathOfUri(Unquoted(Get("picture-uri"))) : Unquoted(Get("picture-filename"));
    if (options == "none" || picture.empty()) {
      return "plain";
    }
    return Normal(picture) + " " + options;
  }

  std::array<std::string, 3> StyleWords() const override {
    return {"centered", "wallpaper", "stretched"};
  }

  bool SetFromOutside(const std::filesystem::path& picture) override {
    const std::string value = pictureIsUri_ ? "file://" + picture.string() : picture.string();
    desktop_->Output({"gsettings", "set", schema_,
                      pictureIsUri_ ? "picture-uri" : "picture-filename", Quoted(value)});
    return true;
  }

  std::string Get(const std::string& key) {
    return desktop_->Output({"gsettings", "get", schema_, key});
  }

  std::string schema_;

 private:
  std::string kind_;
  bool pictureIsUri_;
};

class GnomeJourney : public GSettingsJourney {
 public:
  static constexpr const char* kName = "Gnome";

 protected:
  GnomeJourney() : GSettingsJourney("gnome", "org.gnome.desktop.background", true) {}

  // In the dark style the desktop shows its dark picture: the program follows that one.
  void FollowMore() override {
    const std::string scheme = "org.gnome.desktop.interface";
    desktop_->Output({"gsettings", "set", schema_, "picture-uri-dark",
                      Quoted("file://" + Picture("foret.bmp").string())});
    desktop_->Output({"gsettings", "set", scheme, "color-scheme", "'prefer-dark'"});
    ProgramShows("foret.bmp");
    desktop_->Output({"gsettings", "set", scheme, "color-scheme", "'default'"});
    ProgramShows("ciel.bmp");
  }
};

class CinnamonJourney : public GSettingsJourney {
 public:
  static constexpr const char* kName = "Cinnamon";

 protected:
  CinnamonJourney() : GSettingsJourney("cinnamon", "org.cinnamon.desktop.background", true) {}
};

class MateJourney : public GSettingsJourney {
 public:
  static constexpr const char* kName = "Mate";

 protected:
  MateJourney() : GSettingsJourney("mate", "org.mate.background", false) {}
};

// Budgie: its window manager draws the background GNOME's settings name. It never redraws a
// background of a colour alone: the program's plain desktop is a picture of that colour.
class BudgieJourney : public GSettingsJourney {
 public:
  static constexpr const char* kName = "Budgie";

 protected:
  BudgieJourney() : GSettingsJourney("budgie", "org.gnome.desktop.background", true) {}

  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("budgie-wm")) {
      return "budgie-wm is not installed";
    }
    desktop_->AddVariables({"XDG_CURRENT_DESKTOP=Budgie:GNOME"});
    if (auto reason = GSettingsJourney::StartDesktop()) {
      return reason;
    }
    desktop_->Output({"gsettings", "set", schema_, "color-shading-type", "'solid'"});
    desktop_->Output({"gsettings", "set", schema_, "primary-color", "'#336699'"});
    desktop_->Start({"budgie-wm", "--x11"});
    // A window manager names itself on the root window.
    if (!WaitFor([&] {
          return desktop_->Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"})
                     .output.find("window id") != std::string::npos;
        })) {
      return "budgie-wm did not start";
    }
    return std::nullopt;
  }

  std::optional<std::string> Kept() override {
    std::optional<std::string> kept = GSettingsJourney::Kept();
    const std::string plain = Normal(PlatformFile("plain-desktop.bmp").string()) + " ";
    return kept && kept->starts_with(plain) ? "plain" : kept;
  }

  std::optional<e2e::Rgb> PlainColour() const override { return e2e::Rgb{0x33, 0x66, 0x99}; }
  // Its compositor, on the software renderer of a screen without a graphics card, draws a tiled
  // 16-pixel picture as a few blurred bands; what it keeps is checked.
  bool DrawsTilesHere() const override { return false; }

  e2e::Image CaptureScreen() override {
    return Screen().CaptureArea(Screen().Root(), 0, 0, Screen().Width(), Screen().Height());
  }
};

// The whole screen, as an X desktop draws it.
class RootJourney : public DesktopJourney {
 protected:
  e2e::Image CaptureScreen() override {
    return Screen().CaptureArea(Screen().Root(), 0, 0, Screen().Width(), Screen().Height());
  }
};

// XFCE: xfdesktop, and the xfconf daemon it keeps its settings in.
class XfceJourney : public RootJourney {
 public:
  static constexpr const char* kName = "Xfce";

 protected:
  static constexpr const char* kWorkspace = "/backdrop/screen0/monitorscreen/workspace0";

  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("xfdesktop") || !LiveDesktop::Installed("xfconf-query")) {
      return "xfdesktop or xfconf-query is not installed";
    }
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    // xfdesktop 4.18 writes its backdrop as it starts; since 4.20 it writes none, and its
    // window is what says it runs.
    const pid_t xfdesktop = desktop_->Start({"xfdesktop"});
    if (!WaitFor([&] {
          return !Screen().WindowsOf(xfdesktop).empty() ||
                 desktop_->Run(Query("/last-image")).code == 0;
        })) {
      return "xfdesktop showed no desktop";
    }
    return std::nullopt;
  }

  std::string Kind() const override { return "xfce"; }

  std::vector<std::string> Query(const std::string& property) const {
    return {"xfconf-query", "-c", "xfce4-desktop", "-p", kWorkspace + property};
  }

  std::optional<std::string> Kept() override {
    std::string style = desktop_->Output(Query("/image-style"));
    style = style.substr(0, style.find('\n'));
    if (style == "0") {
      return "plain";
    }
    std::string image = desktop_->Output(Query("/last-image"));
    return Normal(image.substr(0, image.find('\n'))) + " " + style;
  }

  std::array<std::string, 3> StyleWords() const override { return {"1", "2", "3"}; }

  bool SetFromOutside(const std::filesystem::path& picture) override {
    std::vector<std::string> set = Query("/last-image");
    set.insert(set.end(), {"-n", "-t", "string", "-s", picture.string()});
    desktop_->Output(set);
    return true;
  }
};

// LXQt: pcmanfm-qt drawing the desktop, with its settings in the profile "lxqt".
class LxqtJourney : public RootJourney {
 public:
  static constexpr const char* kName = "Lxqt";

 protected:
  LxqtJourney() = default;
  // A fresh profile has no settings file until pcmanfm-qt writes one, and keeps no mode.
  explicit LxqtJourney(bool freshProfile) : freshProfile_(freshProfile) {}

  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("pcmanfm-qt")) {
      return "pcmanfm-qt is not installed";
    }
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    // LXQt's own profile stretches pictures.
    if (!freshProfile_) {
      std::filesystem::create_directories(Settings().parent_path());
      e2e::WriteFile(Settings(), "[Desktop]\nWallpaperMode=stretch\nBgColor=#000000\n");
    }
    if (!WindowShows(desktop_->Start({"pcmanfm-qt", "--desktop", "--profile=lxqt"}))) {
      return "pcmanfm-qt showed no desktop";
    }
    if (!WaitFor([&] {
          return desktop_
                     ->Run({"dbus-send", "--session", "--print-reply",
                            "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus.NameHasOwner", "string:org.pcmanfm.PCManFM"})
                     .output.find("boolean true") != std::string::npos;
        })) {
      return "pcmanfm-qt did not take its bus name";
    }
    return std::nullopt;
  }

  std::string Kind() const override { return "lxqt"; }

  // The desktop the program started again is its own, not the journey's: it ends here, while its
  // display and bus are still there: once its display had gone, one hung as it exited, deaf to
  // SIGTERM. One that does not end at once is killed.
  void TearDown() override {
    if (desktop_) {
      const std::string reply =
          desktop_
              ->Run({"dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                     "/org/freedesktop/DBus", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                     "string:org.pcmanfm.PCManFM"})
              .output;
      const std::size_t number = reply.find("uint32 ");
      if (number != std::string::npos) {
        const pid_t owner = std::stoi(reply.substr(number + 7));
        const auto gone = [owner] {
          const std::string stat = e2e::ReadFile("/proc/" + std::to_string(owner) + "/stat");
          const std::size_t close = stat.rfind(')');
          return close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] == 'Z';
        };
        ::kill(owner, SIGTERM);
        if (!e2e::WaitUntil(gone, std::chrono::milliseconds(1000))) {
          ::kill(owner, SIGKILL);
        }
      }
    }
    RootJourney::TearDown();
  }

  std::filesystem::path Settings() const {
    return Folder("home") / ".config/pcmanfm-qt/lxqt/settings.conf";
  }

  std::optional<std::string> Kept() override {
    std::ifstream file(Settings());
    std::string mode;
    std::string wallpaper;
    bool desktop = false;
    for (std::string line; std::getline(file, line);) {
      if (line.starts_with("[")) {
        desktop = line == "[Desktop]";
      } else if (desktop && line.starts_with("WallpaperMode=")) {
        mode = line.substr(line.find('=') + 1);
      } else if (desktop && line.starts_with("Wallpaper=")) {
        wallpaper = line.substr(line.find('=') + 1);
      }
    }
    return mode == "none" ? "plain" : Normal(wallpaper) + " " + mode;
  }

  std::array<std::string, 3> StyleWords() const override { return {"center", "tile", "stretch"}; }

  // Without a mode of its own, a picture set from outside would not show.
  bool SetFromOutside(const std::filesystem::path& picture) override {
    if (!freshProfile_) {
      desktop_->Output({"pcmanfm-qt", "--set-wallpaper", picture.string()});
    }
    return !freshProfile_;
  }

 private:
  bool freshProfile_ = false;
};

class LxqtFreshProfileJourney : public LxqtJourney {
 public:
  static constexpr const char* kName = "LxqtFreshProfile";

 protected:
  LxqtFreshProfileJourney() : LxqtJourney(true) {}
};

// sway, headless, with swaybg drawing the background. sway refuses to run as root: then it runs
// as the user FONDEX_DESKTOP_USER names.
class SwayJourney : public DesktopJourney {
 public:
  static constexpr const char* kName = "Sway";

 protected:
  ~SwayJourney() override {
    desktop_.reset();
    if (!runtime_.empty()) {
      std::filesystem::remove_all(runtime_);
    }
  }

  std::optional<std::string> StartDesktop() override {
    for (const char* program : {"sway", "swaybg", "grim"}) {
      if (!LiveDesktop::Installed(program)) {
        return std::string(program) + " is not installed";
      }
    }
    std::vector<std::string> command;
    if (::geteuid() == 0) {
      const std::string user = e2e::EnvironmentValue("FONDEX_DESKTOP_USER");
      const passwd* account = user.empty() ? nullptr : ::getpwnam(user.c_str());
      if (account == nullptr) {
        return "sway refuses root, and FONDEX_DESKTOP_USER names no user to run it";
      }
      command = {"setpriv", "--reuid=" + std::to_string(account->pw_uid),
                 "--regid=" + std::to_string(account->pw_gid), "--clear-groups"};
      MakeRuntime(account->pw_uid, account->pw_gid);
    } else {
      MakeRuntime(::geteuid(), ::getegid());
    }
    // No bar and no background of its own: every swaybg is the program's.
    e2e::WriteFile(runtime_ / "config", "");
    command.insert(command.end(), {"sway", "-c", (runtime_ / "config").string()});
    desktop_->Start(command,
                    {"HOME=" + runtime_.string(), "XDG_RUNTIME_DIR=" + runtime_.string(),
                     "WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"});
    if (!WaitFor([&] { return std::filesystem::exists(runtime_ / "wayland-1"); })) {
      return "sway did not open its display";
    }
    return std::nullopt;
  }

  std::string Kind() const override { return "sway"; }

  // sway's display, and the program's window still on the X server.
  std::vector<std::string> Extra() const {
    return {"WAYLAND_DISPLAY=wayland-1", "XDG_RUNTIME_DIR=" + runtime_.string(),
            "QT_QPA_PLATFORM=xcb"};
  }

  std::vector<std::string> ProgramVariables() const override {
    return e2e::WithVariables(desktop_->Environment(), Extra());
  }

  // The swaybg drawing on this sway, by its arguments: there must be exactly one.
  std::optional<std::string> Kept() override {
    std::vector<std::string> drawers;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      const std::string stat = e2e::ReadFile(entry.path() / "stat");
      const std::size_t close = stat.rfind(')');
      if (stat.find("(swaybg)") == std::string::npos || close + 2 >= stat.size() ||
          stat[close + 2] == 'Z' ||
          e2e::ReadFile(entry.path() / "environ").find(runtime_.string()) == std::string::npos) {
        continue;
      }
      std::istringstream arguments(e2e::ReadFile(entry.path() / "cmdline"));
      std::string image;
      std::string mode;
      for (std::string argument; std::getline(arguments, argument, '\0');) {
        if (argument == "-i" && std::getline(arguments, argument, '\0')) {
          image = argument;
        } else if (argument == "-m" && std::getline(arguments, argument, '\0')) {
          mode = argument;
        }
      }
      drawers.push_back(mode == "solid_color" ? "plain" : Normal(image) + " " + mode);
    }
    return drawers.size() == 1 ? drawers.front()
                               : std::to_string(drawers.size()) + " swaybg at once";
  }

  std::array<std::string, 3> StyleWords() const override { return {"center", "tile", "stretch"}; }

  // What the headless output shows, through grim.
  e2e::Image CaptureScreen() override {
    const std::filesystem::path file = runtime_ / "screen.ppm";
    std::vector<std::string> grim = {"env"};
    const std::vector<std::string> extra = Extra();
    grim.insert(grim.end(), extra.begin(), extra.end());
    grim.insert(grim.end(), {"grim", "-t", "ppm", file.string()});
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

 private:
  void MakeRuntime(uid_t owner, gid_t group) {
    std::string folder = "/tmp/fondex-sway-XXXXXX";
    runtime_ = ::mkdtemp(folder.data());
    if (::chown(runtime_.c_str(), owner, group) != 0) {
      throw std::runtime_error("cannot give " + runtime_.string() + " to sway's user");
    }
  }

  std::filesystem::path runtime_;
};

// KDE Plasma: its shell, with the daemons the session bus starts for it.
class PlasmaJourney : public RootJourney {
 public:
  static constexpr const char* kName = "Plasma";

 protected:
  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("plasmashell")) {
      return "plasmashell is not installed (scripts/test-desktops plasma installs it)";
    }
    // The daemons the bus starts take their display from the bus's own environment.
    desktop_->AddVariables(
        {"QT_QPA_PLATFORM=xcb", "KDE_FULL_SESSION=true", "XDG_CURRENT_DESKTOP=KDE"});
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    desktop_->Start({"plasmashell"});
    // The shell takes seconds to show its desktop, more on a busy machine.
    std::string printed;
    bool ready = false;
    for (int wait = 0; wait < 6 && !ready; ++wait) {
      ready = WaitFor([&] {
        printed = Evaluate("print(desktops().length)");
        return printed.find("string \"1") != std::string::npos;
      });
    }
    if (!ready) {
      return "the shell shows no desktop: " + printed;
    }
    return std::nullopt;
  }

  std::string Kind() const override { return "kde"; }

  std::string Evaluate(const std::string& script) {
    return desktop_
        ->Run({"dbus-send", "--session", "--print-reply", "--dest=org.kde.plasmashell",
               "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", "string:" + script})
        .output;
  }

  std::optional<std::string> Kept() override {
    const std::string printed = Evaluate(
        "var d = desktops()[0]; d.currentConfigGroup = ['Wallpaper', 'org.kde.image', "
        "'General']; print(d.wallpaperPlugin + '|' + d.readConfig('Image') + '|' + "
        "d.readConfig('FillMode'));");
    const std::size_t start = printed.find("string \"");
    const std::size_t first = printed.find('|');
    const std::size_t second = printed.find('|', first + 1);
    if (start == std::string::npos || second == std::string::npos) {
      return printed;
    }
    if (printed.substr(start + 8, first - start - 8) != "org.kde.image") {
      return "plain";
    }
    std::string mode = printed.substr(second + 1);
    mode = mode.substr(0, mode.find_first_of("\n\""));
    return Normal(PathOfUri(printed.substr(first + 1, second - first - 1))) + " " + mode;
  }

  std::array<std::string, 3> StyleWords() const override { return {"6", "3", "0"}; }

  bool SetFromOutside(const std::filesystem::path& picture) override {
    Evaluate(
        "var d = desktops()[0]; d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = "
        "['Wallpaper', 'org.kde.image', 'General']; d.writeConfig('Image', 'file://" +
        picture.string() + "');");
    return true;
  }
};

// A bare X server: the program draws on the root window itself.
class X11Journey : public RootJourney {
 public:
  static constexpr const char* kName = "X11";

 protected:
  std::optional<std::string> StartDesktop() override { return std::nullopt; }
  std::string Kind() const override { return "x11"; }

  // Other programs find the picture through the root window's property.
  void FollowMore() override {
    EXPECT_NE(desktop_->Output({"xprop", "-root", "_XROOTPMAP_ID"}).find("pixmap id"),
              std::string::npos);
  }
};

// Every desktop's journey twice: as a new user starts, with the bitmaps alone, and with JPEG, PNG
// and WebP taken too, when each desktop must keep and show all four formats.
template <class Desktop>
class Journey : public Desktop {};

using Desktops =
    ::testing::Types<GnomeJourney, BudgieJourney, CinnamonJourney, MateJourney, XfceJourney,
                     LxqtJourney, LxqtFreshProfileJourney, SwayJourney, PlasmaJourney, X11Journey>;

// "Journey/Gnome.TakesBitmaps", so that a filter picks desktops by name.
struct DesktopName {
  template <class Desktop>
  static std::string GetName(int) {
    return Desktop::kName;
  }
};

TYPED_TEST_SUITE(Journey, Desktops, DesktopName);

TYPED_TEST(Journey, TakesBitmaps) {
  this->RunJourney(Formats::kBitmapsOnly);
}

TYPED_TEST(Journey, TakesJpegPngAndWebp) {
  this->RunJourney(Formats::kWithOthers);
}

}  // namespace
}  // namespace fondex::desktops
