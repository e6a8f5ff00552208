#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// LXQt: `pcmanfm-qt`, which draws the desktop, and the settings file of its profile where it
// keeps the wallpaper.
//
// pcmanfm-qt takes a picture from its command line, but a mode there only for the moment: it
// keeps the mode it loaded from its settings, and ignores a request for that mode once the screen
// has left it; nor does a request ever clear a picture. So a picture is asked for on the command
// line only in the loaded mode, while the screen is known to show that mode; any other change is
// written to the settings file and the desktop started again, which loads it.
class LxqtBackend : public DesktopBackend {
 public:
  LxqtBackend(ProcessRunner& runner, std::string settingsFile);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool Show(const std::string& picture, const std::string& mode);
  std::string LoadedMode() const;
  bool Restart(const std::string& picture, const std::string& mode);
  bool WriteSettings(const std::string& picture, const std::string& mode) const;
  bool WaitForDesktop(bool running);

  ProcessRunner& runner_;
  std::string settingsFile_;
  std::string profile_;
  FreshSpelling spelling_;
  std::string lastAsked_;
  bool showsLoadedMode_ = false;  // known only after this program started the desktop
};

}  // namespace fondex::platform::posix::desktop
