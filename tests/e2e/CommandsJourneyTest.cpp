// Commands of the main window: a name typed in the edit box, the options dialog and the
// settings file it writes, deleting a file from the file list, minimizing with Escape.

#include <cctype>
#include <string_view>

#include "e2e/FondexJourney.h"

namespace fondex::e2e {
namespace {

// The address a file manager copies for a file: "file://" and the path, every byte but the
// unreserved ones and the slashes escaped.
std::string FileAddress(const std::filesystem::path& path) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string address = "file://";
  for (const char c : path.string()) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || std::string_view("/-._~").find(c) != std::string_view::npos) {
      address += c;
    } else {
      address += {'%', kDigits[byte >> 4], kDigits[byte & 0xF]};
    }
  }
  return address;
}

using CommandsJourney = PlageJourney;

TEST_F(CommandsJourney, NameTypedInTheEditBoxBecomesTheWallpaper) {
  WriteWinIni("");
  StartFondex();
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2"));

  // Capitals and no extension: stored in lower case, ".bmp" added.
  EnterName(WindowsPath(plage_) + "\\FORET");
  EXPECT_TRUE(WallpaperBecomes(Stored("foret.bmp")));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored("foret.bmp")));

  // A name ending with a dot takes "bmp".
  EnterName(WindowsPath(plage_) + "\\Ciel.");
  EXPECT_TRUE(WallpaperBecomes(Stored("ciel.bmp")));

  // A missing file is reported, and the desktop becomes plain.
  EnterName(WindowsPath(plage_) + "\\absent");
  const WindowId error = WaitForWindow("Error");
  Key(error, "Return");
  WaitUntilGone(error);
  EXPECT_TRUE(WallpaperBecomes(""));
  EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2"));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

TEST_F(CommandsJourney, LinuxNamesTypedInTheEditBoxAreTheProgramsOwn) {
  const std::filesystem::path paysages = ImageFolder("paysages");
  const std::filesystem::path home = Folder("home/Images");
  const std::filesystem::path cotes = ImageFolder("c\xC3\xB4tes bleues");
  const struct {
    std::string typed;
    std::filesystem::path picture;
    Rgb colour;
    std::filesystem::path next;  // the file after it in its folder
  } names[] = {
      {(paysages / "lac.bmp").string(), paysages / "lac.bmp", {0, 80, 200}, paysages / "mont.bmp"},
      {"~/Images/mer.bmp", home / "mer.bmp", {230, 120, 20}, home / "neige.bmp"},
      {FileAddress(cotes / "mer bleue.bmp"),
       cotes / "mer bleue.bmp",
       {20, 150, 140},
       cotes / "zinc.bmp"},
  };
  for (const auto& name : names) {
    WriteBitmap(name.picture, 8, 8, name.colour);
    WriteBitmap(name.next, 8, 8, {250, 250, 250});
  }
  WriteFile(AppFile("FONDEX.INI"), "[Options]\r\nHasardTech=Successif\r\n");
  WriteWinIni("");
  StartFondex("x11");
  ASSERT_TRUE(TitleBecomes(MainWindow(), "Fondex2"));

  for (const auto& name : names) {
    SCOPED_TRACE(name.typed);
    EnterName(name.typed);
    EXPECT_TRUE(WallpaperBecomes(StoredPath(name.picture)));
    EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + StoredPath(name.picture)));
    EXPECT_TRUE(WaitFor([&] { return RootCentreNear(name.colour); }));
    // Its folder is the one selected and its file the one selected there: one after the other
    // in the selected folder, the next change takes the file after it.
    Click(MainWindow(), main_window::kBBtnHasard);
    EXPECT_TRUE(WallpaperBecomes(StoredPath(name.next)));
  }

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  const std::string list = ReadFile(AppFile("FONDEX.DAT"));
  for (const auto& name : names) {
    EXPECT_NE(list.find(StoredPath(name.picture.parent_path()) + "\r\n"), std::string::npos)
        << list;
  }
}

TEST_F(CommandsJourney, OptionsDialogWritesTheSettingsFileByteForByte) {
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex();

  // Without a settings file the window sits in the bottom-right corner, a frame's width in.
  const Point corner = Screen().Position(MainWindow());
  const int rightGap = kScreenWidth - (corner.x + main_window::kClientWidth);
  const int bottomGap = kScreenHeight - (corner.y + main_window::kClientHeight);
  EXPECT_TRUE(rightGap >= 1 && rightGap <= 40) << "right gap " << rightGap;
  EXPECT_TRUE(bottomGap >= 1 && bottomGap <= 40) << "bottom gap " << bottomGap;

  Click(MainWindow(), main_window::kBBtnOptions);
  const WindowId options = WaitForWindow("Fondex : Options");
  Click(options, Indicator(options_dialog::kSuccRepSuccRB));
  Click(options, Indicator(options_dialog::kChBAuto));
  // 60 up to 70, up to 80, down to 70.
  Click(options, UpperHalf(options_dialog::kSpBDelai));
  Click(options, UpperHalf(options_dialog::kSpBDelai));
  Click(options, LowerHalf(options_dialog::kSpBDelai));
  Click(options, options_dialog::kOKBtn);
  WaitUntilGone(options);

  const std::string settings =
      "[Options]\r\nHasardLieu=RepSucc\r\nHasardTech=Successif\r\nAuLancement=Non\r\n"
      "Auto=Oui\r\nD\xE9lai= 70\r\nFinNone=Non\r\nFichiersCaches=Non\r\n"
      "[Placement]\r\nTop=" +
      std::to_string(corner.y) + "\r\nLeft=" + std::to_string(corner.x) + "\r\n";
  EXPECT_TRUE(FileBecomes(AppFile("FONDEX.INI"), settings));

  // Closing saves the same settings again.
  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  EXPECT_EQ(settings, ReadFile(AppFile("FONDEX.INI")));
}

TEST_F(CommandsJourney, DeleteConfirmedRemovesTheFileAndEscapeMinimizes) {
  WriteFile(AppFile("FONDEX.DAT"), StoredPath(plage_) + "\r\n3\r\n");
  WriteWinIni(WindowsPath(plage_ / "Mer.BMP"));
  StartFondex();

  Click(MainWindow(), ListRow(main_window::kFichListeBox, 1));
  Key(MainWindow(), "Delete");
  const WindowId question = WaitForWindow("Confirm");
  ASSERT_TRUE(std::filesystem::exists(plage_ / "foret.bmp")) << "deleted before the answer";
  // "&Yes" by its mnemonic: the release of an Enter would reach the file list, whose Enter
  // applies the file selected after the deletion.
  Key(question, "alt+y");
  WaitUntilGone(question);
  EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(plage_ / "foret.bmp"); }));
  EXPECT_TRUE(std::filesystem::exists(plage_ / "ciel.bmp"));
  EXPECT_TRUE(std::filesystem::exists(plage_ / "Mer.BMP"));

  // Nobody obeys without a window manager, but the window asks to be iconified.
  EXPECT_FALSE(Screen().AskedToIconify(MainWindow()));
  Key(MainWindow(), "Escape");
  EXPECT_TRUE(WaitFor([&] { return Screen().AskedToIconify(MainWindow()); }));

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
  // The deleted file was not the wallpaper: the profile is untouched, the folder's count too.
  EXPECT_EQ(WinIniNaming(WindowsPath(plage_ / "Mer.BMP")), ReadFile(PlatformFile("WIN.INI")));
  EXPECT_EQ(StoredPath(plage_) + "\r\n3\r\n", ReadFile(AppFile("FONDEX.DAT")));
}

}  // namespace
}  // namespace fondex::e2e
