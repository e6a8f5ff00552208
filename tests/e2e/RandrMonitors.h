#pragma once

#include <string>
#include <vector>

namespace fondex::e2e {

// A RandR monitor on the one screen of an Xvfb, as high as the screen.
struct Monitor {
  std::string name;
  int left, width;
};

// The xrandr command that lays the monitor; the first of a layout holds the server's output.
inline std::vector<std::string> SetMonitorCommand(const Monitor& monitor, int height, bool first) {
  // Sizes in millimetres at 96 dots an inch.
  const std::string geometry =
      std::to_string(monitor.width) + "/" + std::to_string(monitor.width * 254 / 960) + "x" +
      std::to_string(height) + "/271+" + std::to_string(monitor.left) + "+0";
  return {"xrandr", "--setmonitor", monitor.name, geometry, first ? "screen" : "none"};
}

}  // namespace fondex::e2e
