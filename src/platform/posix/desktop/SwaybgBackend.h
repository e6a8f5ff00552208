#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// sway and the other compositors with a background layer: the wallpaper is a `swaybg` process.
// It outlives this program, as a wallpaper does, and there is only ever one of ours: its process
// id is kept in a file, and each change starts the new one and, once it draws, stops the old one
// (started in this run or an earlier one), so the screen never shows a gap.
class SwaybgBackend : public DesktopBackend {
 public:
  SwaybgBackend(ProcessRunner& runner, std::string pidFile);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override { return std::nullopt; }
  std::unique_ptr<ChangeFeed> Follow() override { return nullptr; }

 private:
  bool Replace(const Argv& argv);

  ProcessRunner& runner_;
  std::string pidFile_;
};

}  // namespace fondex::platform::posix::desktop
