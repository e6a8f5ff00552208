#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/DesktopWallpaper.h"
#include "platform/win32/ShellWallpapers.h"

namespace fondex::platform::win32 {

// The system's wallpaper call. The system decides what it can show, stores the name in the
// profile's [Desktop] Wallpaper and sends the profile-change notification to every top-level
// window before the call returns; the main window's procedure hands it to ProfileChanged.
// A picture per screen goes through the shell's object where the system has one; screens are
// named as the system names monitors ("\\.\DISPLAY1").
class Win32DesktopWallpaper : public DesktopWallpaper {
 public:
  using ShellSource = std::function<std::unique_ptr<ShellWallpapers>()>;
  explicit Win32DesktopWallpaper(ShellSource shell = SystemShellWallpapers);

  bool SetDeskWallpaper(const std::string& name) override;
  bool SetsEachScreen() const override;
  std::vector<std::string> Screens() override;
  bool SetScreenWallpapers(const std::vector<ScreenWallpaper>& pictures,
                           const std::string& windowScreen) override;

  // The system said that its profile changed: the program's own change or another program's.
  void ProfileChanged() const { NotifyListeners(); }

 private:
  ShellSource shell_;
  mutable std::optional<bool> setsEachScreen_;
};

}  // namespace fondex::platform::win32
