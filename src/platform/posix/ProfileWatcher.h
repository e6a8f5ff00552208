#pragma once

#include <string>

#include "platform/DesktopWallpaper.h"
#include "platform/posix/Handles.h"
#include "platform/posix/PosixDesktopWallpaper.h"

namespace fondex::platform::posix {

// Watches the platform directory for changes of the system profile made by other programs (an
// editor that writes in place, or writes a new file and renames it over the old one). Each
// change that alters the stored wallpaper notifies the desktop service's listeners once; the
// service's own writes are known to it and notify nobody a second time.
class ProfileWatcher : public OutsideChangeSource {
 public:
  ProfileWatcher(const std::string& platformDirectory, PosixDesktopWallpaper& desktop);
  ProfileWatcher(const ProfileWatcher&) = delete;
  ProfileWatcher& operator=(const ProfileWatcher&) = delete;

  int Descriptor() const override { return fd_.Get(); }

  // Reads the pending events without blocking; checks the wallpaper when one concerns the system
  // profile.
  void Dispatch() override;

 private:
  bool DrainEvents();

  PosixDesktopWallpaper& desktop_;
  FileDescriptor fd_;
};

}  // namespace fondex::platform::posix
