// Keys typed on a focused picture button run their command once, also when the command opened a
// window that took the keyboard away meanwhile.

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

struct ButtonKey {
  const char* key;
  const char* window;  // the window the command opens, answered with Escape or Enter
  const char* answer;
};

void PrintTo(const ButtonKey& row, std::ostream* out) {
  *out << row.key;
}

class PictureButtonKeysJourney : public FondexJourney,
                                 public ::testing::WithParamInterface<ButtonKey> {};

TEST_P(PictureButtonKeysJourney, OneKeyOneWindow) {
  // The only listed folder holds a picture the desktop refuses: a change reports it in a box.
  const auto casse = ImageFolder("Casse");
  WriteFile(casse / "abime.bmp", "pas une image");
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(casse) + "\r\n1\r\n");
  WriteWinIni("");
  StartFondex();

  // From the name box, Tab reaches the directory button, then the picture button.
  Click(MainWindow(), main_window::kEditChoisiBMP);
  Key(MainWindow(), "Tab");
  Key(MainWindow(), "Tab");
  Key(MainWindow(), GetParam().key);
  const WindowId opened = WaitForWindow(GetParam().window);
  Key(opened, GetParam().answer);
  WaitUntilGone(opened);

  // A second window would keep the keyboard from the main window, and Escape from minimizing it.
  Key(MainWindow(), "Escape");
  EXPECT_TRUE(WaitFor([&] { return Screen().AskedToIconify(MainWindow()); }));
  for (const WindowId window : Screen().WindowsOf(FondexPid())) {
    EXPECT_FALSE(Screen().Title(window).starts_with(GetParam().window)) << "opened twice";
  }

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Keys, PictureButtonKeysJourney,
                         ::testing::Values(ButtonKey{"b", "Sélection d'une image", "Escape"},
                                           ButtonKey{"p", "Sélection d'une image", "Escape"},
                                           ButtonKey{"r", "Sélection d'un répertoire", "Escape"},
                                           ButtonKey{"h", "Error", "Return"}),
                         [](const auto& info) { return std::string(info.param.key); });

}  // namespace
}  // namespace fondex::e2e
