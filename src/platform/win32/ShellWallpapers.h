#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {

// A monitor as the shell's wallpaper object knows it: its device path and its rectangle.
struct ShellMonitor {
  std::wstring id;
  RECT rect;
};

// The shell's picture per monitor (Windows 8 and later).
class ShellWallpapers {
 public:
  virtual ~ShellWallpapers() = default;
  // The attached monitors, in the shell's order.
  virtual std::vector<ShellMonitor> Monitors() = 0;
  virtual bool Set(const std::wstring& monitor, const std::wstring& picture) = 0;
};

// The shell's object, asked for again at each use so that a restarted shell serves as well;
// nullptr on a system without it.
std::unique_ptr<ShellWallpapers> SystemShellWallpapers();

// The thread's single-threaded apartment, which the shell's objects need, for the life of the
// object; a thread that already has an apartment keeps it.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_;
};

// The name the system gives a monitor ("\\.\DISPLAY1"); "" for none.
inline std::string MonitorName(HMONITOR monitor) {
  MONITORINFOEXA info{};
  info.cbSize = sizeof info;
  return monitor != nullptr && ::GetMonitorInfoA(monitor, &info) ? info.szDevice : "";
}

}  // namespace fondex::platform::win32
