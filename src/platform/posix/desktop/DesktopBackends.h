#pragma once

#include <memory>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopDetection.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// Where back-ends keep or find their files, and whose outputs swaybg draws on.
struct BackendPlaces {
  std::string platformDirectory;  // this program's own: the plain pictures of Budgie and hyprpaper
  std::string configHome;  // the user's settings ($XDG_CONFIG_HOME): LXQt's and Plasma's desktops
  std::string cacheDirectory;  // this program's files made again at will: composed pictures
  // sway lists its outputs itself; the other compositors through wlr-randr
  bool swaySession = false;
};

// The back-end of a kind of desktop; nothing for none, where the system profile alone holds the
// wallpaper.
std::unique_ptr<DesktopBackend> MakeDesktopBackend(DesktopKind kind, ProcessRunner& runner,
                                                   const BackendPlaces& places);

}  // namespace fondex::platform::posix::desktop
