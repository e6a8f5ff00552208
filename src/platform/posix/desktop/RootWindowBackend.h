#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"

namespace fondex::platform::posix::desktop {

// Any other X11 session: the picture is decoded here and drawn into a pixmap that becomes the
// root window's background. The pixmap is published in _XROOTPMAP_ID and ESETROOT_PMAP_ID for
// programs that show the desktop through their windows, outlives this program, and is freed by
// the next change, whoever makes it. No other program is needed, and none is started.
// With two RandR monitors or more, each can show a picture of its own, drawn in its rectangle of
// the one pixmap; which picture is on which monitor is kept in a property of the root window
// beside the pixmap, so that a later change of some monitors keeps the others', whoever runs it.
class RootWindowBackend : public DesktopBackend {
 public:
  // An empty display name means $DISPLAY.
  explicit RootWindowBackend(std::string displayName = {});

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  // The RandR monitors' names, when there are two or more.
  std::vector<std::string> Screens() override;
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  // What the root's record says; "" for a root without a picture, nothing when another program
  // drew the one it shows.
  std::optional<std::string> CurrentOn(const std::string& monitor) override;
  std::optional<std::string> Current() override { return std::nullopt; }
  std::unique_ptr<ChangeFeed> Follow() override { return nullptr; }

 private:
  std::string displayName_;
};

}  // namespace fondex::platform::posix::desktop
