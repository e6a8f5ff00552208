#pragma once

#include <string>
#include <vector>

namespace fondex::platform::posix::desktop {

// The names the X server's RandR extension gives its active monitors ("HDMI-1", "screen" under
// Xvfb), in its order; none without a display or without RandR 1.5. An empty display name means
// $DISPLAY.
std::vector<std::string> ActiveMonitorNames(const std::string& displayName = {});

}  // namespace fondex::platform::posix::desktop
