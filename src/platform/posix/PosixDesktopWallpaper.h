#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopWallpaper.h"
#include "platform/ProfileFiles.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix {

// The system profile that holds the wallpaper, a bare name resolved in the platform directory.
inline constexpr const char* kSystemProfile = "WIN.INI";

// The time every desktop tool of one change, or of one look at the desktop, shares.
inline constexpr std::chrono::milliseconds kChangeTime{5000};

// The desktop-wallpaper service: the wallpaper is the name kept in [Desktop] Wallpaper of the
// system profile, and, with a desktop back-end, the picture of the desktop the user runs. The
// profile stays the program's view of the desktop: it is brought in line with the desktop at
// start, and again after each change that another program makes there.
class PosixDesktopWallpaper : public DesktopWallpaper {
 public:
  // Without a back-end the system profile alone holds the wallpaper. The tools the back-end
  // runs, when given, share kChangeTime per change: past it the change is refused.
  PosixDesktopWallpaper(PosixFileSystem& files, ProfileFiles& profiles, const PathMapper& paths,
                        std::unique_ptr<desktop::DesktopBackend> backend = nullptr,
                        desktop::ProcessRunner* tools = nullptr);

  // Refuses a name over 259 characters, a file that is not a loadable bitmap (or JPEG, PNG or
  // WebP picture, when they are accepted), and a picture the desktop refuses; the profile's
  // [Desktop] TileWallpaper and WallpaperStyle say how the picture covers the screen.
  bool SetDeskWallpaper(const std::string& name) override;

  // Each screen the desktop back-end names; without a back-end that can, the window's picture
  // covers the desktop.
  bool SetsEachScreen() const override { return true; }
  std::vector<std::string> Screens() override;
  bool SetScreenWallpapers(const std::vector<ScreenWallpaper>& pictures,
                           const std::string& windowScreen) override;

  void FollowScreen(const std::string& screen) override;

  // Reads the stored wallpaper again and notifies the listeners once when it is not the one this
  // service last stored or saw, i.e. when another program changed it.
  void CheckStoredWallpaper();

  // Reads the desktop's wallpaper again; when another program changed it, stores it in the
  // system profile and notifies the listeners once. A layout the desktop took from another
  // program (the user, in the desktop's own settings) becomes the profile's.
  void CheckDesktopWallpaper();

  // Starts listening to the desktop; nothing when it cannot tell of changes.
  std::unique_ptr<desktop::ChangeFeed> FollowDesktop();

 private:
  bool IsLoadablePicture(const std::string& name);
  bool IsAcceptable(const std::string& name);
  bool StoreAndShow(const std::string& name, const std::function<bool()>& show);
  bool ShowEach(const std::vector<ScreenWallpaper>& pictures, const std::string& windowName);
  std::string StoredWallpaper();
  bool ShowOnDesktop(const std::string& name);
  desktop::WallpaperStyle StoredStyle();
  bool StoresDesktopWallpaper(const std::string& stored) const;
  std::optional<std::string> CurrentOnDesktop();
  bool AdoptDesktopWallpaper(const std::string& current);
  void AdoptDesktopStyle(desktop::WallpaperStyle style);

  PosixFileSystem& files_;
  ProfileFiles& profiles_;
  const PathMapper& paths_;
  std::unique_ptr<desktop::DesktopBackend> backend_;
  desktop::ProcessRunner* tools_;
  std::string knownWallpaper_;
  std::string knownDesktop_;  // the desktop's picture as last set or seen, lexically normal
  std::string windowScreen_;  // the screen whose picture is the wallpaper; "" for all of them
  std::optional<desktop::WallpaperStyle> desktopStyle_;  // its layout, as just read
  std::optional<desktop::WallpaperStyle> knownStyle_;    // as last set or adopted
};

}  // namespace fondex::platform::posix
