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
// Since 1.4, pcmanfm-qt takes a picture and a mode from its command line, and saves both: every
// change goes there. Before, it kept the mode it loaded from its settings, ignored a request for
// that mode once the screen had left it, and no request ever cleared a picture. There a picture is
// asked for on the command line only in the loaded mode, while the screen is known to show that
// mode; any other change is written to the settings file and the desktop started again, which
// loads it. Either way the change counts only once the settings file holds it.
//
// pcmanfm-qt keeps one picture for all screens (1.2 to 2.1): its PerScreenWallpaper lays that one
// picture out on each screen rather than across them, so no screen is named here.
class LxqtBackend : public DesktopBackend {
 public:
  LxqtBackend(ProcessRunner& runner, std::string settingsFile);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool Show(const std::string& picture, const std::string& mode);
  bool SavesAskedModes();
  std::string LoadedMode() const;
  bool Restart(const std::string& picture, const std::string& mode);
  bool StartDesktop();
  bool WaitForDesktop(bool running);
  bool Holds(const std::string& picture, const std::string& mode) const;

  ProcessRunner& runner_;
  std::string settingsFile_;
  std::string profile_;
  FreshSpelling spelling_;
  std::string lastAsked_;
  std::optional<bool> savesAskedModes_;
  bool showsLoadedMode_ = false;  // known only after this program started the desktop
};

}  // namespace fondex::platform::posix::desktop
