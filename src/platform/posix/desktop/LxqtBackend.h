#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// LXQt: `pcmanfm-qt`, which draws the desktop, and the settings file where it keeps the
// wallpaper.
class LxqtBackend : public DesktopBackend {
 public:
  LxqtBackend(ProcessRunner& runner, std::string settingsFile);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  ProcessRunner& runner_;
  std::string settingsFile_;
  FreshSpelling spelling_;
};

}  // namespace fondex::platform::posix::desktop
