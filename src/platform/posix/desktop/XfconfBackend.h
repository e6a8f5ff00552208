#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// XFCE: the last-image property of every monitor and workspace of channel xfce4-desktop, with
// its image-style beside it, through the `xfconf-query` tool. xfdesktop names a monitor's
// properties after the monitor's name on the screen ("monitorHDMI-1"); since 4.20 it writes none
// until its settings dialog does, so the screen's own monitors are written even when the channel
// does not list them yet.
//
// Each monitor keeps a picture of its own under its name; xfdesktop 4.18 and 4.20 both read the
// workspace the window manager shows, or, in their single-workspace mode, the one that mode names:
// every workspace the channel lists for a monitor is written.
class XfconfBackend : public DesktopBackend {
 public:
  // The names of the screen's active monitors, as the display server gives them.
  using MonitorNames = std::function<std::vector<std::string>()>;

  XfconfBackend(ProcessRunner& runner, MonitorNames monitors);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;
  std::vector<std::string> Screens() override { return monitors_(); }
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  std::optional<std::string> CurrentOn(const std::string& screen) override;

 private:
  // Every last-image property, plus one for each monitor that has none yet, the screen's own
  // monitors first; nothing when the channel cannot be listed.
  std::optional<std::vector<std::string>> ImageProperties();
  // The listed properties of every monitor; nothing when the channel cannot be listed.
  std::optional<std::vector<std::string>> MonitorProperties();
  bool SetImage(const std::string& property, const std::string& path, WallpaperStyle style);
  // The picture the property names, as Current() says it.
  std::optional<std::string> ReadImage(const std::string& property, FreshSpelling& spelling);
  bool SetProperty(const std::string& property, const char* type, const std::string& value);
  std::optional<std::string> GetProperty(const std::string& property);

  ProcessRunner& runner_;
  MonitorNames monitors_;
  FreshSpelling spelling_;
  std::map<std::string, FreshSpelling> screenSpellings_;
};

}  // namespace fondex::platform::posix::desktop
