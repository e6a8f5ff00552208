#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace fondex::qt {

// The launcher's startup ID on an X11 window (the startup-notification protocol and EWMH):
// Qt's xcb plugin offers nothing public for it, so the window's own X connection carries it.

// The X server time a startup ID ends with ("..._TIME<n>"), the moment of the launch the window
// manager weighs against the user's last action; 0 when it ends otherwise.
std::uint32_t StartupTime(const std::string& startupId);

// Hands the startup ID to the window's manager: the window's _NET_STARTUP_ID, a request to
// activate it at the launch's time (when the ID has one), and the end of the launch's feedback.
// False when the window is not on X11.
bool ActivateWithStartupId(QWidget& window, const std::string& startupId);

}  // namespace fondex::qt
