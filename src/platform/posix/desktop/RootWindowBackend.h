#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"

namespace fondex::platform::posix::desktop {

// Any other X11 session: the picture is decoded here and drawn into a pixmap that becomes the
// root window's background. The pixmap is published in _XROOTPMAP_ID and ESETROOT_PMAP_ID for
// programs that show the desktop through their windows, outlives this program, and is freed by
// the next change, whoever makes it. No other program is needed, and none is started.
class RootWindowBackend : public DesktopBackend {
 public:
  // An empty display name means $DISPLAY.
  explicit RootWindowBackend(std::string displayName = {});

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override { return std::nullopt; }
  std::unique_ptr<ChangeFeed> Follow() override { return nullptr; }

 private:
  std::string displayName_;
};

}  // namespace fondex::platform::posix::desktop
