#include "platform/posix/desktop/XMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

namespace fondex::platform::posix::desktop {
namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

bool HasMonitorList(Display* display) {
  int event = 0, error = 0, major = 0, minor = 0;
  return XRRQueryExtension(display, &event, &error) != 0 &&
         XRRQueryVersion(display, &major, &minor) != 0 && (major > 1 || minor >= 5);
}

}  // namespace

std::vector<XMonitor> ActiveMonitors(Display* display) {
  std::vector<XMonitor> found;
  if (display == nullptr || !HasMonitorList(display)) {
    return found;
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  if (monitors == nullptr) {
    return found;  // a connection lost meanwhile may leave any count
  }
  for (int i = 0; i < count; ++i) {
    if (char* name = XGetAtomName(display, monitors[i].name)) {
      found.push_back(
          {name, {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height}});
      XFree(name);
    }
  }
  XRRFreeMonitors(monitors);
  return found;
}

std::vector<std::string> ActiveMonitorNames(const std::string& displayName) {
  const std::unique_ptr<Display, DisplayCloser> display(
      XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()));
  std::vector<std::string> names;
  for (XMonitor& monitor : ActiveMonitors(display.get())) {
    names.push_back(std::move(monitor.name));
  }
  return names;
}

}  // namespace fondex::platform::posix::desktop
