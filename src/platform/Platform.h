#pragma once

#include "platform/Collation.h"
#include "platform/DesktopWallpaper.h"
#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"
#include "platform/System.h"

namespace fondex::platform {

// Every system service the program uses, handed to the forms at creation.
struct Platform {
  FileSystem& files;
  ProfileFiles& profiles;
  DesktopWallpaper& desktop;
  Clock& clock;
  Screen& screen;
  HelpViewer& help;
  ShellDrop& drops;
  const Collation& collation;
};

}  // namespace fondex::platform
