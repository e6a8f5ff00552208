#pragma once

#include "platform/DesktopWallpaper.h"

namespace fondex::platform::win32 {

// The system's wallpaper call. The system decides what it can show, stores the name in the
// profile's [Desktop] Wallpaper and sends the profile-change notification to every top-level
// window before the call returns; the main window's procedure hands it to ProfileChanged.
class Win32DesktopWallpaper : public DesktopWallpaper {
 public:
  bool SetDeskWallpaper(const std::string& name) override;

  // The system said that its profile changed: the program's own change or another program's.
  void ProfileChanged() const { NotifyListeners(); }
};

}  // namespace fondex::platform::win32
