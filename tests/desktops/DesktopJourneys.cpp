// One journey per real desktop, each with the desktop's own programs and tools.

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "desktops/DesktopJourney.h"
#include "desktops/GSettingsJourney.h"
#include "desktops/PlasmaJourney.h"

namespace fondex::desktops {
namespace {

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

  std::optional<std::string> StartDesktop() override { return StartBudgie(); }

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

  std::array<std::string, 5> StyleWords() const override { return {"1", "2", "3", "4", "5"}; }

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

  std::array<std::string, 5> StyleWords() const override {
    return {"center", "tile", "stretch", "fit", "zoom"};
  }

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
                     LxqtJourney, LxqtFreshProfileJourney, PlasmaJourney, X11Journey>;

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
