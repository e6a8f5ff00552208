#include "platform/win32/Win32DesktopWallpaper.h"

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {

bool Win32DesktopWallpaper::SetDeskWallpaper(const std::string& name) {
  std::string writable = name;  // the call takes a non-constant buffer
  return ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, writable.data(),
                                 SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != 0;
}

}  // namespace fondex::platform::win32
