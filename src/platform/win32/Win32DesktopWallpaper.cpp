#include "platform/win32/Win32DesktopWallpaper.h"

#include <algorithm>
#include <map>

namespace fondex::platform::win32 {
namespace {

// The system's name of the monitor with exactly this rectangle: the shell and the system
// number their monitors each in their own way.
std::string NameOf(const RECT& rect) {
  struct Search {
    RECT rect;
    HMONITOR found;
  } search{rect, nullptr};
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT bounds, LPARAM context) -> BOOL {
        auto& wanted = *reinterpret_cast<Search*>(context);
        if (::EqualRect(bounds, &wanted.rect)) {
          wanted.found = monitor;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return MonitorName(search.found);
}

// Each named screen's monitor, in the shell's order.
std::vector<std::pair<std::string, std::wstring>> NamedMonitors(ShellWallpapers& shell) {
  std::vector<std::pair<std::string, std::wstring>> named;
  for (const ShellMonitor& monitor : shell.Monitors()) {
    if (std::string name = NameOf(monitor.rect); !name.empty()) {
      named.emplace_back(std::move(name), monitor.id);
    }
  }
  return named;
}

// A name in the ANSI code page, as the shell's object takes it.
std::wstring Wide(const std::string& name) {
  const int size = static_cast<int>(name.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

Win32DesktopWallpaper::Win32DesktopWallpaper(ShellSource shell) : shell_(std::move(shell)) {}

bool Win32DesktopWallpaper::SetDeskWallpaper(const std::string& name) {
  std::string writable = name;  // the call takes a non-constant buffer
  return ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, writable.data(),
                                 SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != 0;
}

bool Win32DesktopWallpaper::SetsEachScreen() const {
  if (!setsEachScreen_) {
    setsEachScreen_ = shell_() != nullptr;
  }
  return *setsEachScreen_;
}

std::vector<std::string> Win32DesktopWallpaper::Screens() {
  const std::unique_ptr<ShellWallpapers> shell = shell_();
  std::vector<std::string> screens;
  if (shell != nullptr) {
    for (auto& [name, id] : NamedMonitors(*shell)) {
      screens.push_back(std::move(name));
    }
  }
  return screens;
}

// The system's own call would put the window's picture on every screen: each picture goes to
// its monitor, the window's last, and the name is stored and told to the program's listeners
// as that call does. The shell tells the other programs itself.
bool Win32DesktopWallpaper::SetScreenWallpapers(const std::vector<ScreenWallpaper>& pictures,
                                                const std::string& windowScreen) {
  const std::unique_ptr<ShellWallpapers> shell = shell_();
  const auto window = std::ranges::find(pictures, windowScreen, &ScreenWallpaper::screen);
  if (shell == nullptr || window == pictures.end()) {
    return false;
  }
  std::map<std::string, std::wstring> monitors;
  for (auto& [name, id] : NamedMonitors(*shell)) {
    monitors.emplace(std::move(name), std::move(id));
  }
  std::vector<const ScreenWallpaper*> order;
  for (const ScreenWallpaper& picture : pictures) {
    if (picture.name.empty() || !monitors.contains(picture.screen)) {
      return false;
    }
    if (&picture != &*window) {
      order.push_back(&picture);
    }
  }
  order.push_back(&*window);
  for (const ScreenWallpaper* picture : order) {
    if (!shell->Set(monitors[picture->screen], Wide(picture->name))) {
      return false;
    }
  }
  if (!::WriteProfileStringA("Desktop", "Wallpaper", window->name.c_str())) {
    return false;
  }
  NotifyListeners();
  return true;
}

}  // namespace fondex::platform::win32
