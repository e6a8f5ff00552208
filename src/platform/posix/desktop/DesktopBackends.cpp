#include "platform/posix/desktop/DesktopBackends.h"

#include <X11/Xlib.h>

#include "platform/posix/PathMapper.h"
#include "platform/posix/desktop/GSettingsBackend.h"
#include "platform/posix/desktop/HyprpaperBackend.h"
#include "platform/posix/desktop/LxqtBackend.h"
#include "platform/posix/desktop/PlasmaBackend.h"
#include "platform/posix/desktop/RootWindowBackend.h"
#include "platform/posix/desktop/SwaybgBackend.h"
#include "platform/posix/desktop/XMonitors.h"
#include "platform/posix/desktop/XfconfBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

// The monitors as the X server lays them out, Xwayland's in a Wayland session.
std::vector<XMonitor> MonitorsOnDisplay() {
  Display* display = XOpenDisplay(nullptr);
  std::vector<XMonitor> monitors = ActiveMonitors(display);
  if (display != nullptr) {
    XCloseDisplay(display);
  }
  return monitors;
}

// A desktop that keeps one picture gives each screen its own as part of one spanning them all.
std::optional<SpannedScreens> Spanned(const BackendPlaces& places) {
  return SpannedScreens(places.cacheDirectory, &MonitorsOnDisplay);
}

}  // namespace

std::unique_ptr<DesktopBackend> MakeDesktopBackend(DesktopKind kind, ProcessRunner& runner,
                                                   const BackendPlaces& places) {
  switch (kind) {
    case DesktopKind::kGnome:
      return std::make_unique<GSettingsBackend>(runner, kGnomeSchema, "", Spanned(places));
    case DesktopKind::kBudgie:
      return std::make_unique<GSettingsBackend>(
          runner, kBudgieSchema, JoinPosix(places.platformDirectory, "plain-desktop.bmp"),
          Spanned(places));
    case DesktopKind::kCinnamon:
      return std::make_unique<GSettingsBackend>(runner, kCinnamonSchema, "", Spanned(places));
    case DesktopKind::kMate:
      return std::make_unique<GSettingsBackend>(runner, kMateSchema, "", Spanned(places));
    case DesktopKind::kXfce:
      return std::make_unique<XfconfBackend>(runner, [] { return ActiveMonitorNames(); });
    case DesktopKind::kKde:
      return std::make_unique<PlasmaBackend>(
          runner, JoinPosix(places.configHome, "plasma-org.kde.plasma.desktop-appletsrc"),
          [] { return ActiveMonitorNames(); });
    case DesktopKind::kLxqt:
      return std::make_unique<LxqtBackend>(
          runner, JoinPosix(places.configHome, "pcmanfm-qt/lxqt/settings.conf"));
    case DesktopKind::kSway:
      return std::make_unique<SwaybgBackend>(
          runner, places.swaySession ? OutputLister::kSway : OutputLister::kWlroots);
    case DesktopKind::kHyprland:
      // Its users draw with hyprpaper; some keep swaybg.
      if (HyprpaperRuns(runner)) {
        return std::make_unique<HyprpaperBackend>(
            runner, JoinPosix(places.platformDirectory, "plain-desktop.bmp"));
      }
      return std::make_unique<SwaybgBackend>(runner);
    case DesktopKind::kX11:
      return std::make_unique<RootWindowBackend>();
    case DesktopKind::kNone:
      break;
  }
  return nullptr;
}

}  // namespace fondex::platform::posix::desktop
