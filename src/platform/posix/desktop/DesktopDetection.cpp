#include "platform/posix/desktop/DesktopDetection.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix::desktop {
namespace {

using Named = std::pair<std::string_view, DesktopKind>;

constexpr std::array kForcedNames{
    Named{"gnome", DesktopKind::kGnome},       Named{"budgie", DesktopKind::kBudgie},
    Named{"cinnamon", DesktopKind::kCinnamon}, Named{"mate", DesktopKind::kMate},
    Named{"xfce", DesktopKind::kXfce},         Named{"kde", DesktopKind::kKde},
    Named{"lxqt", DesktopKind::kLxqt},         Named{"sway", DesktopKind::kSway},
    Named{"hyprland", DesktopKind::kHyprland}, Named{"x11", DesktopKind::kX11},
    Named{"none", DesktopKind::kNone},
};

// The names sessions give themselves.
constexpr std::array kSessionNames{
    Named{"gnome", DesktopKind::kGnome},
    Named{"gnome-classic", DesktopKind::kGnome},
    Named{"gnome-flashback", DesktopKind::kGnome},
    Named{"gnome-xorg", DesktopKind::kGnome},
    Named{"ubuntu", DesktopKind::kGnome},
    Named{"unity", DesktopKind::kGnome},
    Named{"budgie", DesktopKind::kBudgie},
    Named{"budgie-desktop", DesktopKind::kBudgie},
    Named{"pop", DesktopKind::kGnome},
    Named{"x-cinnamon", DesktopKind::kCinnamon},
    Named{"cinnamon", DesktopKind::kCinnamon},
    Named{"cinnamon2d", DesktopKind::kCinnamon},
    Named{"mate", DesktopKind::kMate},
    Named{"xfce", DesktopKind::kXfce},
    Named{"xfce4", DesktopKind::kXfce},
    Named{"xubuntu", DesktopKind::kXfce},
    Named{"kde", DesktopKind::kKde},
    Named{"kde-plasma", DesktopKind::kKde},
    Named{"plasma", DesktopKind::kKde},
    Named{"plasmawayland", DesktopKind::kKde},
    Named{"plasmax11", DesktopKind::kKde},
    Named{"lxqt", DesktopKind::kLxqt},
    Named{"lubuntu", DesktopKind::kLxqt},
    Named{"sway", DesktopKind::kSway},
    Named{"river", DesktopKind::kSway},
    Named{"wayfire", DesktopKind::kSway},
    Named{"labwc", DesktopKind::kSway},
    Named{"hyprland", DesktopKind::kHyprland},
    Named{"dwl", DesktopKind::kSway},
    Named{"hikari", DesktopKind::kSway},
    Named{"niri", DesktopKind::kSway},
};

template <std::size_t N>
std::optional<DesktopKind> Lookup(const std::array<Named, N>& names, std::string_view name) {
  for (const auto& [known, kind] : names) {
    if (EqualsIgnoringAsciiCase(known, name)) {
      return kind;
    }
  }
  return std::nullopt;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string_view> SessionNames(const SessionFacts& session) {
  std::vector<std::string_view> names;
  std::string_view current = session.currentDesktop;
  while (!current.empty()) {
    const std::size_t colon = std::min(current.find(':'), current.size());
    names.push_back(current.substr(0, colon));
    current.remove_prefix(std::min(colon + 1, current.size()));
  }
  names.push_back(session.sessionDesktop);
  const std::string_view file = session.desktopSession;
  names.push_back(file.substr(file.rfind('/') == std::string_view::npos ? 0 : file.rfind('/') + 1));
  return names;
}

}  // namespace

SessionFacts SessionFromEnvironment() {
  return {.forced = Environment("FONDEX_DESKTOP"),
          .currentDesktop = Environment("XDG_CURRENT_DESKTOP"),
          .sessionDesktop = Environment("XDG_SESSION_DESKTOP"),
          .desktopSession = Environment("DESKTOP_SESSION"),
          .swaySocket = Environment("SWAYSOCK"),
          .waylandDisplay = Environment("WAYLAND_DISPLAY"),
          .display = Environment("DISPLAY")};
}

std::optional<DesktopKind> KindNamed(std::string_view name) {
  return Lookup(kForcedNames, name);
}

bool IsSwaySession(const SessionFacts& session) {
  return !session.swaySocket.empty() ||
         EqualsIgnoringAsciiCase(SessionNames(session).front(), "sway");
}

std::optional<std::string_view> ToolOf(DesktopKind kind) {
  switch (kind) {
    case DesktopKind::kGnome:
    case DesktopKind::kBudgie:
    case DesktopKind::kCinnamon:
    case DesktopKind::kMate:
      return "gsettings";
    case DesktopKind::kXfce:
      return "xfconf-query";
    case DesktopKind::kKde:
      return "dbus-send";
    case DesktopKind::kLxqt:
      return "pcmanfm-qt";
    case DesktopKind::kSway:
      return "swaybg";
    case DesktopKind::kHyprland:
      return "hyprctl";
    case DesktopKind::kX11:
    case DesktopKind::kNone:
      break;
  }
  return std::nullopt;
}

DesktopKind DetectDesktop(const SessionFacts& session,
                          const std::function<bool(std::string_view program)>& hasProgram) {
  if (const auto forced = KindNamed(session.forced)) {
    return *forced;
  }
  const auto reachable = [&](DesktopKind kind) {
    const auto tool = ToolOf(kind);
    return !tool || hasProgram(*tool);
  };
  for (std::string_view name : SessionNames(session)) {
    const auto kind = Lookup(kSessionNames, name);
    if (kind && reachable(*kind)) {
      return *kind;
    }
  }
  if (!session.swaySocket.empty() || !session.waylandDisplay.empty()) {
    return reachable(DesktopKind::kSway) ? DesktopKind::kSway : DesktopKind::kNone;
  }
  return session.display.empty() ? DesktopKind::kNone : DesktopKind::kX11;
}

}  // namespace fondex::platform::posix::desktop
