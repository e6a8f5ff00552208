#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desktops/DesktopJourney.h"
#include "platform/posix/desktop/PlasmaBackend.h"

namespace fondex::desktops {

// KDE Plasma: its shell, with the daemons the session bus starts for it.
class PlasmaJourney : public RootJourney {
 public:
  static constexpr const char* kName = "Plasma";

 protected:
  using RootJourney::RootJourney;

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
    return ShellReady();
  }

  // The reason when the shell shows no desktop. It takes seconds, more on a busy machine.
  std::optional<std::string> ShellReady() {
    std::string printed;
    bool ready = false;
    for (int wait = 0; wait < 6 && !ready; ++wait) {
      ready = WaitFor([&] {
        printed = Evaluate("print(desktops().length)");
        return printed.find("string \"" + std::to_string(desktops_)) != std::string::npos;
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

  // The picture of the screen's desktop, as the shell reads it from its settings.
  std::string ImageOn(const std::string& screen) {
    const std::string printed =
        Evaluate("var d = desktopForScreen(screenForConnector('" + screen +
                 "')); d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General']; "
                 "print(d.wallpaperPlugin + '|' + d.readConfig('Image'));");
    const std::size_t bar = printed.find("org.kde.image|");
    if (bar == std::string::npos) {
      return printed;
    }
    std::string uri = printed.substr(bar + 14);
    return Normal(PathOfUri(uri.substr(0, uri.find_first_of("\n\""))));
  }

  // The shell shows a desktop on each of the screens, and counts them in that order.
  ::testing::AssertionResult ShowsDesktopsOn(const std::vector<std::string>& screens) {
    std::string expected = "string \"";
    for (const std::string& screen : screens) {
      expected += screen + (&screen == &screens.back() ? "\"" : "\n");
    }
    std::string printed;
    if (WaitFor([&] {
          printed = Evaluate(platform::posix::desktop::PlasmaScreensScript(screens));
          return printed.find(expected) != std::string::npos;
        })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << printed;
  }

  std::vector<std::string> ImagesOn(const std::vector<std::string>& screens) {
    std::vector<std::string> images;
    for (const std::string& screen : screens) {
      images.push_back(ImageOn(screen));
    }
    return images;
  }

  std::array<std::string, 5> StyleWords() const override { return {"6", "3", "0", "1", "2"}; }

  // One desktop for each screen.
  int desktops_ = 1;

  bool SetFromOutside(const std::filesystem::path& picture) override {
    Evaluate(
        "var d = desktops()[0]; d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = "
        "['Wallpaper', 'org.kde.image', 'General']; d.writeConfig('Image', 'file://" +
        picture.string() + "');");
    return true;
  }
};

// KDE Plasma: its shell inside KWin's virtual Wayland output. Without a GPU's render node KWin
// offers no screenshot: the shell's own answers and its settings file are the proof.
class PlasmaWaylandJourney : public PlasmaJourney {
 public:
  static constexpr const char* kName = "Plasma";

 protected:
  static constexpr const char* kSocket = "wayland-fondex";

  std::optional<std::string> StartDesktop() override {
    for (const char* program : {"kwin_wayland", "plasmashell"}) {
      if (!LiveDesktop::Installed(program)) {
        return std::string(program) +
               " is not installed (scripts/test-desktops plasma installs it)";
      }
    }
    // The daemons the bus starts take the session from the bus's own environment.
    desktop_->AddVariables({"XDG_CURRENT_DESKTOP=KDE", "KDE_FULL_SESSION=true",
                            "KDE_SESSION_VERSION=6", "XDG_SESSION_TYPE=wayland",
                            std::string("WAYLAND_DISPLAY=") + kSocket, "QT_QPA_PLATFORM=wayland"});
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    std::vector<std::string> kwin{"kwin_wayland", "--virtual", "--socket", kSocket,
                                  "--width",      "1024",      "--height", "768"};
    kwin.insert(kwin.end(), moreOfKwin_.begin(), moreOfKwin_.end());
    desktop_->Start(kwin, {"WAYLAND_DISPLAY="});
    if (!WaitFor([&] { return std::filesystem::exists(Folder("runtime") / kSocket); })) {
      return "kwin_wayland did not open its display";
    }
    desktop_->Start({"plasmashell"});
    return ShellReady();
  }

  // The program finds Plasma by the session's own names, and takes Qt's platform of its own.
  std::string Kind() const override { return ""; }
  std::vector<std::string> ProgramVariables() const override {
    return e2e::WithVariables(desktop_->Environment(), {"QT_QPA_PLATFORM="});
  }
  e2e::Image CaptureScreen() override { return {}; }
  void AfterProgram() {}

  // Further arguments of kwin_wayland.
  std::vector<std::string> moreOfKwin_;
};

}  // namespace fondex::desktops
