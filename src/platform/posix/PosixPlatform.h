#pragma once

#include <string>

#include "platform/posix/IcuCollation.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixDesktopWallpaper.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixNativeNames.h"
#include "platform/posix/PosixProfileFiles.h"
#include "platform/posix/ProfileWatcher.h"
#include "platform/posix/desktop/DesktopDetection.h"
#include "platform/posix/desktop/SystemProcessRunner.h"

namespace fondex::platform::posix {

// $FONDEX_PLATFORM_DIR, else $XDG_CONFIG_HOME/fondex, else ~/.config/fondex.
std::string PlatformDirectoryFromEnvironment();

// The POSIX folder of the program's own files (FONDEX.DAT, FONDEX.INI): the folder of the
// executable's path as the file system hands it to the program. Nothing is created or started,
// so a later start that only hands its command over asks this alone.
std::string ProgramDirectory(
    const std::string& platformDirectory = PlatformDirectoryFromEnvironment());

// The desktop of the session, or the one $FONDEX_DESKTOP names.
desktop::DesktopKind DesktopFromEnvironment();

// The system services of one platform directory, which holds the system profile WIN.INI and the
// links of drives D: to Z:. The directory is created when it is missing. The wallpaper also goes
// to the desktop of the given kind, none meaning the system profile alone.
class PosixPlatform {
 public:
  explicit PosixPlatform(std::string platformDirectory = PlatformDirectoryFromEnvironment(),
                         desktop::DesktopKind desktopKind = DesktopFromEnvironment());
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  const PathMapper& Paths() const { return paths_; }
  const NativeNames& Names() const { return names_; }
  // Where the program's own files live: beside the executable, or in the platform directory for
  // a copy that may not write its own folder.
  const std::string& ProgramFolder() const { return files_.ProgramFolder(); }
  PosixFileSystem& Files() { return files_; }
  PosixProfileFiles& Profiles() { return profiles_; }
  PosixDesktopWallpaper& Desktop() { return desktop_; }
  PosixClock& Clock() { return clock_; }
  ProfileWatcher& OutsideChanges() { return outsideChanges_; }
  const IcuCollation& Collation() const { return collation_; }
  // While a change waits on the desktop's tools, the hook is called every few milliseconds, so
  // that the caller's event loop keeps turning.
  void WhileWaiting(std::function<void()> hook) { runner_.SetWaitHook(std::move(hook)); }

 private:
  PathMapper paths_;
  PosixNativeNames names_{paths_};
  PosixFileSystem files_;
  PosixProfileFiles profiles_;
  desktop::SystemProcessRunner runner_;  // outlives the desktop back-end that uses it
  PosixDesktopWallpaper desktop_;
  PosixClock clock_;
  ProfileWatcher outsideChanges_;
  IcuCollation collation_;
};

}  // namespace fondex::platform::posix
