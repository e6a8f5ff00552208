// The notification-area icon's option where no notification area exists (a bare X server, no
// session bus): the window is never hidden behind an icon nobody sees.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

class NotifyIconJourney : public PlageJourney {};

TEST_F(NotifyIconJourney, WithNoAreaEscapeMinimizesToTheTaskBarAndTheKeyStays) {
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nIconeNotification=Oui\r\n");
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex("none", {"DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent"});
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("mer.bmp")));

  Key(MainWindow(), "Escape");
  EXPECT_TRUE(WaitFor([&] { return Screen().AskedToIconify(MainWindow()); }));
  EXPECT_TRUE(Screen().IsMapped(MainWindow()));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_TRUE(
      ReadFile(AppFile("FONDEX.INI")).starts_with("[Options]\r\nIconeNotification=Oui\r\n"));
}

}  // namespace
}  // namespace fondex::e2e
