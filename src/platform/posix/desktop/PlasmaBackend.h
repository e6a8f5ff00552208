#pragma once

#include <optional>
#include <string>

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

// KDE Plasma: scripts for the shell's evaluateScript call, its wallpaper(screen) call and its
// wallpaperChanged signal, on the session bus through `dbus-send` and `dbus-monitor`. A shell
// older than that call and signal (5.27) is read through a script, and followed through the file
// where it keeps its desktops' settings.
class PlasmaBackend : public DesktopBackend {
 public:
  PlasmaBackend(ProcessRunner& runner, std::string appletsFile);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool Evaluate(const std::string& script);
  std::optional<std::string> ScriptedCurrent();
  std::string Seen(const std::string& plugin, const std::string& image);

  ProcessRunner& runner_;
  std::string appletsFile_;
  FreshSpelling spelling_;
};

}  // namespace fondex::platform::posix::desktop
