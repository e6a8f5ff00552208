#pragma once

#include <memory>
#include <string>

#include "platform/DesktopWallpaper.h"
#include "platform/posix/Handles.h"
#include "platform/posix/PosixDesktopWallpaper.h"
#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix {

// Watches for wallpaper changes made by other programs: in the system profile of the platform
// directory (an editor that writes in place, or writes a new file and renames it over the old
// one), and on the desktop when its back-end can tell. Each change that alters the wallpaper
// notifies the desktop service's listeners once; the service's own changes are known to it and
// notify nobody a second time. One descriptor stands for both sources.
class ProfileWatcher : public OutsideChangeSource {
 public:
  ProfileWatcher(const std::string& platformDirectory, PosixDesktopWallpaper& desktop);
  ProfileWatcher(const ProfileWatcher&) = delete;
  ProfileWatcher& operator=(const ProfileWatcher&) = delete;

  int Descriptor() const override { return sources_.Get(); }

  // Takes in what is pending without blocking; checks the desktop's wallpaper when the desktop
  // spoke, then the stored one when an event concerns the system profile.
  void Dispatch() override;

 private:
  PosixDesktopWallpaper& desktop_;
  desktop::FileChangeFeed profile_;
  std::unique_ptr<desktop::ChangeFeed> desktopFeed_;
  FileDescriptor sources_;
};

}  // namespace fondex::platform::posix
