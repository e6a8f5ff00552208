#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// Hyprland's own wallpaper program, hyprpaper (0.8 and later), reached through `hyprctl
// hyprpaper`: `wallpaper "MONITOR,FILE,MODE"` puts a picture on a monitor, and with no monitor
// on every monitor given none of its own; `listactive`, where hyprctl still has it, says what
// each shows ("MONITOR: FILE" lines). A monitor's own picture outranks the one for all, so a
// picture for the whole desktop goes to each monitor by name too. It draws no plain colour: a
// plain desktop is a picture of one black pixel, kept in this program's own folder. It tells of
// no change: what it shows is looked at again at a steady pace.
class HyprpaperBackend : public DesktopBackend {
 public:
  HyprpaperBackend(ProcessRunner& runner, std::string plainPicture);

  // Refuses a name with a comma, which hyprctl would take for the end of the name.
  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;
  // Hyprland's monitors by name, from `hyprctl monitors -j`.
  std::vector<std::string> Screens() override;
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  std::optional<std::string> CurrentOn(const std::string& screen) override;

 private:
  bool ShowEverywhere(const std::string& path, const char* mode);
  bool Show(const std::string& monitor, const std::string& path, const char* mode);
  std::optional<std::string> Reported(const std::string& line) const;
  std::string Active();

  ProcessRunner& runner_;
  std::string plainPicture_;
};

// What its sessions are: a Hyprland session whose hyprpaper runs.
bool HyprpaperRuns(ProcessRunner& runner);

}  // namespace fondex::platform::posix::desktop
