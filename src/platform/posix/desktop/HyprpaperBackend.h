#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// Hyprland's own wallpaper program, hyprpaper (0.8 and later), reached through `hyprctl
// hyprpaper`: `wallpaper ",FILE,MODE"` puts a picture on every monitor, `listactive` says what
// each shows ("MONITOR: FILE" lines). It draws no plain colour: a plain desktop is a picture of
// one black pixel, kept in this program's own folder. It tells of no change: what it shows is
// looked at again at a steady pace.
class HyprpaperBackend : public DesktopBackend {
 public:
  HyprpaperBackend(ProcessRunner& runner, std::string plainPicture);

  // Refuses a name with a comma, which hyprctl would take for the end of the name.
  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool Show(const std::string& path, const char* mode);
  std::string Active();

  ProcessRunner& runner_;
  std::string plainPicture_;
};

// What its sessions are: a Hyprland session whose hyprpaper runs.
bool HyprpaperRuns(ProcessRunner& runner);

}  // namespace fondex::platform::posix::desktop
