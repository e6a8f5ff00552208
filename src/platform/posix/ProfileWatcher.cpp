#include "platform/posix/ProfileWatcher.h"

namespace fondex::platform::posix {
ProfileWatcher::ProfileWatcher(const std::string& platformDirectory, PosixDesktopWallpaper& desktop)
    : desktop_(desktop),
      profile_(platformDirectory, kSystemProfile),
      desktopFeed_(desktop.FollowDesktop()),
      sources_(desktop::EitherReadable(
          {profile_.Descriptor(), desktopFeed_ ? desktopFeed_->Descriptor() : -1})) {}

void ProfileWatcher::Dispatch() {
  // The desktop first: what it stores in the profile is then known, and told only once.
  if (desktopFeed_ && desktopFeed_->Drain()) {
    desktop_.CheckDesktopWallpaper();
  }
  if (profile_.Drain()) {
    desktop_.CheckStoredWallpaper();
  }
}

}  // namespace fondex::platform::posix
