#include <gtest/gtest.h>

#include <set>

#include "platform/posix/desktop/DesktopDetection.h"

namespace fondex::platform::posix::desktop {
namespace {

using Kind = DesktopKind;

Kind Detect(const SessionFacts& session,
            std::set<std::string_view> tools = {"gsettings", "xfconf-query", "dbus-send",
                                                "pcmanfm-qt", "swaybg", "hyprctl"}) {
  return DetectDesktop(session, [&](std::string_view tool) { return tools.contains(tool); });
}

TEST(DesktopDetection, NamedDesktops) {
  EXPECT_EQ(Detect({.currentDesktop = "ubuntu:GNOME", .display = ":0"}), Kind::kGnome);
  EXPECT_EQ(Detect({.currentDesktop = "Budgie:GNOME"}), Kind::kBudgie);
  EXPECT_EQ(Detect({.currentDesktop = "Unity"}), Kind::kGnome);
  EXPECT_EQ(Detect({.currentDesktop = "X-Cinnamon"}), Kind::kCinnamon);
  EXPECT_EQ(Detect({.currentDesktop = "MATE"}), Kind::kMate);
  EXPECT_EQ(Detect({.currentDesktop = "XFCE"}), Kind::kXfce);
  EXPECT_EQ(Detect({.currentDesktop = "KDE", .waylandDisplay = "wayland-0"}), Kind::kKde);
  EXPECT_EQ(Detect({.currentDesktop = "LXQt"}), Kind::kLxqt);
  EXPECT_EQ(Detect({.currentDesktop = "sway"}), Kind::kSway);
  EXPECT_EQ(Detect({.sessionDesktop = "xfce"}), Kind::kXfce);
  EXPECT_EQ(Detect({.desktopSession = "/usr/share/xsessions/plasma"}), Kind::kKde);
  EXPECT_EQ(Detect({.currentDesktop = "Hyprland", .waylandDisplay = "wayland-1"}), Kind::kHyprland);
  EXPECT_EQ(Detect({.currentDesktop = "Hyprland", .waylandDisplay = "wayland-1"}, {"swaybg"}),
            Kind::kSway);
}

TEST(DesktopDetection, ADesktopWhoseToolIsMissingGivesWayToTheNextClue) {
  EXPECT_EQ(Detect({.currentDesktop = "XFCE", .display = ":0"}, {"gsettings"}), Kind::kX11);
  EXPECT_EQ(Detect({.currentDesktop = "XFCE", .sessionDesktop = "mate"}, {"gsettings"}),
            Kind::kMate);
  EXPECT_EQ(Detect({.currentDesktop = "GNOME", .waylandDisplay = "wayland-0"}, {}), Kind::kNone);
}

TEST(DesktopDetection, SessionsWithoutANamedDesktop) {
  EXPECT_EQ(Detect({.swaySocket = "/run/user/1000/sway-ipc.sock"}), Kind::kSway);
  EXPECT_EQ(Detect({.waylandDisplay = "wayland-0", .display = ":0"}), Kind::kSway);
  // The compatibility server's root window is not what a Wayland screen shows.
  EXPECT_EQ(Detect({.waylandDisplay = "wayland-0", .display = ":0"}, {}), Kind::kNone);
  EXPECT_EQ(Detect({.display = ":99"}), Kind::kX11);
  EXPECT_EQ(Detect({.currentDesktop = "Enlightenment", .display = ":0"}), Kind::kX11);
  EXPECT_EQ(Detect({}), Kind::kNone);
}

TEST(DesktopDetection, FondexDesktopForcesAKind) {
  EXPECT_EQ(Detect({.forced = "none", .currentDesktop = "GNOME", .display = ":0"}), Kind::kNone);
  EXPECT_EQ(Detect({.forced = "x11", .currentDesktop = "KDE"}), Kind::kX11);
  EXPECT_EQ(Detect({.forced = "kde"}, {}), Kind::kKde);
  EXPECT_EQ(Detect({.forced = "XFCE"}), Kind::kXfce);
  EXPECT_EQ(Detect({.forced = "windows", .display = ":0"}), Kind::kX11);
  for (std::string_view name :
       {"gnome", "budgie", "cinnamon", "mate", "xfce", "kde", "lxqt", "sway"}) {
    ASSERT_TRUE(KindNamed(name).has_value()) << name;
    EXPECT_TRUE(ToolOf(*KindNamed(name)).has_value()) << name;
  }
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
