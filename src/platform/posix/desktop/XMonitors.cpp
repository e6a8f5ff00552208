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

std::vector<std::string> ActiveMonitorNames(const std::string& displayName) {
  const std::unique_ptr<Display, DisplayCloser> display(
      XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()));
  std::vector<std::string> names;
  if (display == nullptr || !HasMonitorList(display.get())) {
    return names;
  }
  int count = 0;
  XRRMonitorInfo* monitors =
      XRRGetMonitors(display.get(), DefaultRootWindow(display.get()), True, &count);
  for (int i = 0; i < count; ++i) {
    if (char* name = XGetAtomName(display.get(), monitors[i].name)) {
      names.emplace_back(name);
      XFree(name);
    }
  }
  if (monitors != nullptr) {
    XRRFreeMonitors(monitors);
  }
  return names;
}

}  // namespace fondex::platform::posix::desktop
