// Pictures of the program's windows, kept among the build's test artefacts for a person to look
// at, and the client areas they must have.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

using LayoutJourney = FondexJourney;

TEST_F(LayoutJourney, ScreenshotsOfTheMainWindowTheOptionsDialogAndTheAboutBox) {
  const auto plage = PictureFolder("Plage");
  WriteWinIni(WindowsPath(plage / "Mer.BMP"));
  StartFondex();
  // No tooltip may cover a control.
  MovePointerTo(0, 0);

  const Image main = SteadyImage(MainWindow());
  SaveScreenshot(main, "main-window");
  EXPECT_EQ(main_window::kClientWidth, main.width);
  EXPECT_EQ(main_window::kClientHeight, main.height);

  Click(MainWindow(), main_window::kBBtnOptions);
  const WindowId options = WaitForWindow("Fondex : Options");
  MovePointerTo(0, 0);
  const Image dialog = SteadyImage(options);
  SaveScreenshot(dialog, "options-dialog");
  EXPECT_EQ(options_dialog::kClientWidth, dialog.width);
  EXPECT_EQ(options_dialog::kClientHeight, dialog.height);
  Key(options, "Escape");  // Cancel
  WaitUntilGone(options);

  Click(MainWindow(), main_window::kBBtnApropos);
  const WindowId about = WaitForWindow("A propos de Fondex");
  MovePointerTo(0, 0);
  const Image aboutBox = SteadyImage(about);
  SaveScreenshot(aboutBox, "about-box");
  EXPECT_EQ(569, aboutBox.width);
  EXPECT_EQ(326, aboutBox.height);
  Key(about, "Return");
  WaitUntilGone(about);

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

}  // namespace
}  // namespace fondex::e2e
