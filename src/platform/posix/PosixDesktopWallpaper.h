#pragma once

#include <string>

#include "platform/DesktopWallpaper.h"
#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"

namespace fondex::platform::posix {

// The system profile that holds the wallpaper, a bare name resolved in the platform directory.
inline constexpr const char* kSystemProfile = "WIN.INI";

// The desktop-wallpaper service of the platform directory: the wallpaper is the name kept in
// [Desktop] Wallpaper of the system profile.
class PosixDesktopWallpaper : public DesktopWallpaper {
 public:
  PosixDesktopWallpaper(FileSystem& files, ProfileFiles& profiles);

  // Refuses a name over 259 characters and a file that is not a loadable bitmap.
  bool SetDeskWallpaper(const std::string& name) override;

  // Reads the stored wallpaper again and notifies the listeners once when it is not the one this
  // service last stored or saw, i.e. when another program changed it.
  void CheckStoredWallpaper();

 private:
  bool IsLoadableBitmap(const std::string& name);
  std::string StoredWallpaper();

  FileSystem& files_;
  ProfileFiles& profiles_;
  std::string knownWallpaper_;
};

}  // namespace fondex::platform::posix
