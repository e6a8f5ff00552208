#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// The script that puts a picture on every desktop of the Plasma shell. The picture goes in as the
// string literal of its percent-encoded URI: nothing of the path can end the literal.
std::string PlasmaWallpaperScript(const std::string& path, WallpaperStyle style);
// The script that gives every desktop a plain colour.
std::string PlasmaPlainScript();

// The script that prints the first desktop's wallpaper plugin and picture, joined by "|".
std::string PlasmaReadScript();

// The script that prints, one a line in the shell's order of its screens, those of the named
// screens the shell shows a desktop on.
std::string PlasmaScreensScript(const std::vector<std::string>& names);
// The script that puts each picture on the desktop of its screen; it fails, changing nothing,
// when a screen has no desktop.
std::string PlasmaEachScript(const std::vector<ScreenPath>& pictures, WallpaperStyle style);
// The script that prints the wallpaper plugin and picture of one screen's desktop, as
// PlasmaReadScript() does for the first one.
std::string PlasmaReadOnScript(const std::string& screen);

// KDE Plasma: scripts for the shell's evaluateScript call, its wallpaper(screen) call and its
// wallpaperChanged signal, on the session bus through `dbus-send` and `dbus-monitor`. A shell
// older than that call and signal (5.27) is read through a script, and followed through the file
// where it keeps its desktops' settings. Each screen has a desktop of its own; the scripts find it
// by the screen's name, but cannot list the names: those are the display server's monitors, which
// the shell's own screens are named after (Xwayland's are the compositor's outputs).
class PlasmaBackend : public DesktopBackend {
 public:
  // The names of the display server's active monitors.
  using MonitorNames = std::function<std::vector<std::string>()>;

  PlasmaBackend(ProcessRunner& runner, std::string appletsFile, MonitorNames monitors);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;
  std::vector<std::string> Screens() override;
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  std::optional<std::string> CurrentOn(const std::string& screen) override;

 private:
  bool Evaluate(const std::string& script);
  std::optional<std::string> ScriptedCurrent(const std::string& script, FreshSpelling& spelling);
  static std::string Seen(const std::string& plugin, const std::string& image,
                          FreshSpelling& spelling);

  ProcessRunner& runner_;
  std::string appletsFile_;
  MonitorNames monitors_;
  FreshSpelling spelling_;
  // What each screen's desktop last got, as spelling_ for the whole desktop.
  std::map<std::string, FreshSpelling> screenSpellings_;
};

}  // namespace fondex::platform::posix::desktop
