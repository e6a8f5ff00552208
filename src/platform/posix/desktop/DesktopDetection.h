#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform::posix::desktop {

enum class DesktopKind {
  kNone,
  kGnome,
  kBudgie,
  kCinnamon,
  kMate,
  kXfce,
  kKde,
  kLxqt,
  kSway,
  kHyprland,
  kX11
};

// What the session's environment says about the desktop.
struct SessionFacts {
  std::string forced{};          // FONDEX_DESKTOP
  std::string currentDesktop{};  // XDG_CURRENT_DESKTOP, names separated by colons
  std::string sessionDesktop{};  // XDG_SESSION_DESKTOP
  std::string desktopSession{};  // DESKTOP_SESSION, a name or the path of a session file
  std::string swaySocket{};      // SWAYSOCK
  std::string waylandDisplay{};  // WAYLAND_DISPLAY
  std::string display{};         // DISPLAY
};

SessionFacts SessionFromEnvironment();

// The kinds FONDEX_DESKTOP may force: gnome, budgie, cinnamon, mate, xfce, kde, lxqt, sway,
// hyprland, x11, none.
std::optional<DesktopKind> KindNamed(std::string_view name);

// Whether the session is sway's: it hands out sway's socket, or names itself sway first.
bool IsSwaySession(const SessionFacts& session);

// The program a kind of desktop is reached through; nothing when it needs none.
std::optional<std::string_view> ToolOf(DesktopKind kind);

// FONDEX_DESKTOP when it names a kind; else the first desktop named by XDG_CURRENT_DESKTOP,
// XDG_SESSION_DESKTOP or DESKTOP_SESSION whose tool is there; else sway's background for a sway
// session, or for any other Wayland session when swaybg is there; else the root window of an X11
// display; else none (a Wayland session without swaybg is none too: the X11 root window of its
// compatibility server is not what the screen shows).
DesktopKind DetectDesktop(const SessionFacts& session,
                          const std::function<bool(std::string_view program)>& hasProgram);

}  // namespace fondex::platform::posix::desktop
