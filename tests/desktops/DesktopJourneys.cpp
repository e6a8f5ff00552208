// One journey per real desktop, each with the desktop's own programs and tools.

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
    desktop_->Start({"xfdesktop"});
    if (!desktop_->RunsWithin(Query("/last-image"))) {
      return "xfdesktop did not set up its backdrop";
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
    set.insert(set.end(), {"-s", picture.string()});
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

using Desktops = ::testing::Types<GnomeJourney, CinnamonJourney, MateJourney, XfceJourney,
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
