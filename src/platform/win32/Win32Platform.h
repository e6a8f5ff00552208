#pragma once

#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32DesktopWallpaper.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32System.h"

namespace fondex::platform::win32 {

// The system services of a Windows program.
class Win32Platform {
 public:
  Win32FileSystem& Files() { return files_; }
  Win32ProfileFiles& Profiles() { return profiles_; }
  Win32DesktopWallpaper& Desktop() { return desktop_; }
  Win32Clock& Clock() { return clock_; }
  Win32Screen& Screen() { return screen_; }
  Win32ShellDrop& Drops() { return drops_; }
  const Win32Collation& Collation() const { return collation_; }

 private:
  Win32FileSystem files_;
  Win32ProfileFiles profiles_;
  Win32DesktopWallpaper desktop_;
  Win32Clock clock_;
  Win32Screen screen_;
  Win32ShellDrop drops_;
  Win32Collation collation_;
};

}  // namespace fondex::platform::win32
