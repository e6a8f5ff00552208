#include <gtest/gtest.h>

#include <QWidget>

#include "GuiTest.h"
#include "qt/X11Activation.h"

namespace fondex::test {
namespace {

TEST(StartupIdTest, TheLaunchTimeIsTheNumberThatEndsTheId) {
  const struct {
    std::string id;
    std::uint32_t time;
  } cases[] = {
      {"gnome-shell-1234-hote-fondex-3_TIME98765", 98765},
      {"hote;1700000000;1;42_TIME4294967295", 4294967295u},  // the X server's last time
      {"a_TIME12_TIME345", 345},                             // the last one counts
      {"a_TIME4294967296", 0},                               // beyond the X server's clock
      {"a_TIME12x", 0},
      {"a_TIME-12", 0},
      {"a_TIME+12", 0},
      {"a_TIME", 0},
      {"a_TIME 12", 0},
      {"9b1f2c6e-0d35-4f4a-9c1e-7e1d3b9a6f00", 0},  // a Wayland token: no time
      {"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.time, qt::StartupTime(c.id)) << c.id;
  }
}

// Qt's own windows off any X server (the offscreen platform): nothing is sent, and the caller
// knows it.
TEST_F(GuiTest, AStartupIdNeedsAnX11Window) {
  QWidget window;
  window.show();
  EXPECT_FALSE(qt::ActivateWithStartupId(window, "a_TIME1"));
}

}  // namespace
}  // namespace fondex::test
