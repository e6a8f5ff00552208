#pragma once

#include <string>
#include <vector>

#include "platform/posix/desktop/ScreenPicture.h"

using Display = struct _XDisplay;

namespace fondex::platform::posix::desktop {

// One of the X server's active RandR monitors: its name ("HDMI-1", "screen" under Xvfb) and
// the rectangle of the root window it shows.
struct XMonitor {
  std::string name;
  PixelArea area;
  bool operator==(const XMonitor&) const = default;
};

// The active monitors of the connection's default screen, in the server's order; none without
// RandR 1.5.
std::vector<XMonitor> ActiveMonitors(Display* display);

// Their names on a connection of its own; none without a display. An empty display name means
// $DISPLAY.
std::vector<std::string> ActiveMonitorNames(const std::string& displayName = {});

}  // namespace fondex::platform::posix::desktop
