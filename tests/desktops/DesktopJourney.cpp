#include "desktops/DesktopJourney.h"

#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>

#include "pictures/PictureFiles.h"

namespace fondex::desktops {
namespace {

constexpr int kSide = 16;   // the pictures' width and height
constexpr int kLeeway = 4;  // how far a JPEG's colour may stray from the one it was written with

struct Colours {
  std::string file;  // its name on disk
  e2e::Rgb left;
  e2e::Rgb right;
};

// Each picture has two halves of different colours, so that tiled and stretched differ too. The
// JPEG's halves are greys: its colour planes, kept at half resolution, would blur two hues.
const std::map<std::string, Colours>& Pictures() {
  static const std::map<std::string, Colours> pictures = {
      {"ciel.bmp", {"ciel.bmp", {200, 30, 30}, {30, 30, 200}}},
      {"foret.bmp", {"foret.bmp", {20, 160, 60}, {240, 220, 0}}},
      {"mer.bmp", {"Mer.BMP", {0, 80, 200}, {250, 140, 0}}},
      {"dune.jpg", {"dune.jpg", {70, 70, 70}, {190, 190, 190}}},
      {"aube.png", {"aube.png", {230, 200, 120}, {120, 60, 20}}},
      {"brume.webp", {"brume.webp", {0, 160, 160}, {160, 0, 160}}},
  };
  return pictures;
}

// The picture's file in its own format, written by the library that reads that format.
void WritePicture(const std::filesystem::path& path, const Colours& picture) {
  namespace pictures = platform::posix::testing;
  const pictures::Colours halves = [&](int x, int) {
    const e2e::Rgb colour = x < kSide / 2 ? picture.left : picture.right;
    return pictures::Rgba{colour.red, colour.green, colour.blue};
  };
  const std::string extension = path.extension().string();
  if (extension == ".jpg") {
    e2e::WriteFile(path, pictures::JpegFile(kSide, kSide, halves));
  } else if (extension == ".png") {
    e2e::WriteFile(path, pictures::PngFile(kSide, kSide, {}, halves));
  } else if (extension == ".webp") {
    e2e::WriteFile(path, pictures::WebpFile(kSide, kSide, true, halves));
  } else {
    e2e::WriteSplitBitmap(path, kSide, kSide, picture.left, picture.right);
  }
}

bool Is(const e2e::Image& image, int x, int y, e2e::Rgb colour) {
  const auto at = static_cast<std::size_t>((y * image.width + x) * 3);
  const auto near = [](std::uint8_t shown, std::uint8_t wanted) {
    return std::abs(shown - wanted) <= kLeeway;
  };
  return near(image.rgb[at], colour.red) && near(image.rgb[at + 1], colour.green) &&
         near(image.rgb[at + 2], colour.blue);
}

// The halves alternate every half picture from there, wherever the grid starts.
bool TilesAt(const e2e::Image& image, const Colours& picture, int x, int y) {
  for (const auto& [first, second] :
       {std::pair(picture.left, picture.right), std::pair(picture.right, picture.left)}) {
    if (Is(image, x, y, first) && Is(image, x + kSide / 2, y, second) &&
        Is(image, x + kSide, y, first)) {
      return true;
    }
  }
  return false;
}

// A picture of today's proportions, 1920 x 1080, in two halves with yellow side edges 40 wide:
// on the screen's other proportions, fitted it shows whole between two bands, filled it covers
// the screen with its edges cut.
const Colours kLarge{"large.bmp", {200, 30, 30}, {30, 30, 200}};
constexpr e2e::Rgb kLargeEdge{240, 220, 0};

e2e::Rgb LargeColumn(int x) {
  return x < 40 || x >= 1880 ? kLargeEdge : x < 960 ? kLarge.left : kLarge.right;
}

const Colours& PictureNamed(const std::string& name) {
  return name == kLarge.file ? kLarge : Pictures().at(name);
}

// Fitted: both halves and both edges in the middle row, a band above. Filled: the halves near
// the top, and at the sides where the edges were.
bool ShowsScaled(const e2e::Image& image, const Colours& picture, Style style) {
  const int w = image.width;
  const int h = image.height;
  const bool halves =
      Is(image, w / 4, h / 2, picture.left) && Is(image, w - w / 4, h / 2, picture.right);
  // Below a bar at the top, within the bands of a fitted picture, and beside a banner the shell
  // may show at the top centre.
  const bool top =
      Is(image, w / 8, h / 16, picture.left) && Is(image, w - w / 8, h / 16, picture.right);
  if (style == Style::kFitted) {
    return halves && !top && Is(image, 3, h / 2, kLargeEdge) && Is(image, w - 4, h / 2, kLargeEdge);
  }
  return halves && top && Is(image, 3, h / 2, picture.left) &&
         Is(image, w - 4, h / 2, picture.right);
}

// The picture covers the screen as the style says: centred in the middle and nowhere else,
// tiled, stretched in two halves, fitted or filled as above.
bool Shows(const e2e::Image& image, const Colours& picture, Style style) {
  const int w = image.width;
  const int h = image.height;
  const int low = h * 3 / 4;  // above a panel at the bottom
  switch (style) {
    case Style::kCentred:
      return Is(image, w / 2 - 4, h / 2, picture.left) &&
             Is(image, w / 2 + 4, h / 2, picture.right) && !Is(image, w - 10, low, picture.right) &&
             !Is(image, 10, low, picture.left);
    case Style::kTiled:
      return TilesAt(image, picture, 3, low) && TilesAt(image, picture, w / 2 + 3, low);
    case Style::kFitted:
    case Style::kFilled:
      return ShowsScaled(image, picture, style);
    case Style::kStretched:
      break;
  }
  // Away from the edges, which smooth scaling blurs.
  return Is(image, w / 8, h / 2, picture.left) && Is(image, w / 4, h - h / 8, picture.left) &&
         Is(image, w - w / 8, h / 2, picture.right);
}

bool ShowsNoPicture(const e2e::Image& image) {
  for (const auto& [name, picture] : Pictures()) {
    for (const e2e::Rgb colour : {picture.left, picture.right}) {
      if (Is(image, image.width / 2 - 4, image.height / 2, colour) ||
          Is(image, 10, image.height * 3 / 4, colour)) {
        return false;
      }
    }
  }
  return true;
}

// The colour at the middle and near three corners, above a panel at the bottom and beside the
// program's window at the bottom right.
bool ShowsOnly(const e2e::Image& image, e2e::Rgb colour) {
  const int w = image.width;
  const int h = image.height;
  return Is(image, w / 2, h / 2, colour) && Is(image, 10, 10, colour) &&
         Is(image, w - 10, 10, colour) && Is(image, 10, h * 3 / 4, colour);
}

// The style as the system profile says it.
std::string StyleEntries(Style style) {
  switch (style) {
    case Style::kTiled:
      return "TileWallpaper=1\r\nWallpaperStyle=0\r\n";
    case Style::kStretched:
      return "TileWallpaper=0\r\nWallpaperStyle=2\r\n";
    case Style::kFitted:
      return "TileWallpaper=0\r\nWallpaperStyle=6\r\n";
    case Style::kFilled:
      return "TileWallpaper=0\r\nWallpaperStyle=10\r\n";
    case Style::kCentred:
      break;
  }
  return "TileWallpaper=0\r\nWallpaperStyle=0\r\n";
}

}  // namespace

std::string PathOfUri(std::string uri) {
  uri = uri.substr(uri.find("://") == std::string::npos ? 0 : uri.find("://") + 3);
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size()) {
      path += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      path += uri[i];
    }
  }
  return path;
}

std::string Normal(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

void DesktopJourney::SetUp() {
  plage_ = ImageFolder("Plage");
  for (const auto& [name, picture] : Pictures()) {
    WritePicture(plage_ / picture.file, picture);
  }
  desktop_ = std::make_unique<LiveDesktop>(
      SessionEnvironment(Screen().DisplayName(), Folder("home"), Folder("runtime")),
      Folder("desktop-logs"));
  if (const std::optional<std::string> reason = StartDesktop()) {
    GTEST_SKIP() << Kind() << " cannot start here: " << *reason;
  }
}

void DesktopJourney::TearDown() {
  FondexJourney::TearDown();
  if (HasFailure()) {
    for (const auto& entry : std::filesystem::directory_iterator(Folder("desktop-logs"))) {
      std::cout << "--- " << entry.path().filename().string() << " ---\n"
                << e2e::ReadFile(entry.path());
    }
  }
}

void DesktopJourney::RunJourney(Formats formats) {
  e2e::WriteFile(AppFile("FONDEX.INI"),
                 formats == Formats::kBitmapsOnly
                     ? "[Options]\r\nHasardTech=Successif\r\n"
                     : "[Options]\r\nHasardTech=Successif\r\nAutresFormats=Oui\r\n");
  const bool followsOutside = SetFromOutside(Picture("Mer.BMP"));
  WriteWinIni(followsOutside ? "" : e2e::WindowsPath(Picture("Mer.BMP")));
  StartFondex(Kind(), ProgramVariables());
  ProgramShows("mer.bmp");

  std::set<std::string> shown;  // the formats the change button put on the desktop
  for (const Style style : {Style::kCentred, Style::kTiled, Style::kStretched}) {
    ChooseStyle(style);
    shown.insert(ChangeAndCheck(style));
  }

  if (formats == Formats::kBitmapsOnly) {
    FitAndFillLargePicture();
  }

  if (followsOutside) {
    ASSERT_TRUE(SetFromOutside(Picture("ciel.bmp")));
    ProgramShows("ciel.bmp");
  }
  FollowMore();

  ClickUntil(e2e::main_window::kBBtnNoWalp, [&] { return WinIniWallpaper().empty(); });
  ProgramShows("");
  EXPECT_TRUE(KeptBecomes("plain"));
  CheckScreen("", std::nullopt);

  ChooseStyle(Style::kStretched);
  shown.insert(ChangeAndCheck(Style::kStretched));
  const std::set<std::string> expected =
      formats == Formats::kBitmapsOnly ? std::set<std::string>{".bmp"}
                                       : std::set<std::string>{".bmp", ".jpg", ".png", ".webp"};
  EXPECT_EQ(expected, shown);

  CloseWindow(MainWindow());
  EXPECT_EQ(0, WaitForExit());
}

// Changes the picture with the button and checks it where the desktop keeps and draws it; the
// picture's extension.
std::string DesktopJourney::ChangeAndCheck(Style style) {
  const std::string name = ClickForNextPicture();
  EXPECT_TRUE(KeptBecomes(Normal(Picture(Pictures().at(name).file)) + " " +
                          StyleWords()[static_cast<std::size_t>(style)]));
  if (ScreenChecked(style)) {
    CheckScreen(name, style);
  }
  return std::filesystem::path(name).extension().string();
}

::testing::AssertionResult DesktopJourney::KeptBecomes(const std::string& expected) {
  std::optional<std::string> kept;
  if (WaitFor([&] { return !(kept = Kept()) || *kept == expected; })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "the desktop keeps \"" << kept.value_or("") << "\", not \"" << expected << "\"";
}

void DesktopJourney::ProgramShows(const std::string& name) {
  EXPECT_TRUE(TitleBecomes(MainWindow(), name.empty() ? "Fondex2" : "Fondex2 : " + Stored(name)));
  std::string stored;
  EXPECT_TRUE(WaitFor([&] {
    stored = e2e::LowerAscii(WinIniWallpaper());
    return stored == (name.empty() ? "" : Stored(name));
  })) << "the system profile holds \""
      << stored << "\"";
}

void DesktopJourney::ChooseStyle(Style style) {
  e2e::WriteFile(PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + WinIniWallpaper() + "\r\n" + StyleEntries(style));
}

// The large picture typed in by name, fitted then filled as chosen in the options dialog; the
// layout is then left to the system again. Its folder sorts after the folder of the others.
void DesktopJourney::FitAndFillLargePicture() {
  const std::filesystem::path large = ImageFolder("Vaste") / kLarge.file;
  e2e::WriteColumnsBitmap(large, 1920, 1080, LargeColumn);
  for (const auto& [style, line] : {std::pair{Style::kFitted, 4}, {Style::kFilled, 5}}) {
    SCOPED_TRACE(line == 4 ? "Ajusté" : "Remplir");
    ChooseLayoutOnDesktop(line);
    Raise(MainWindow());
    EnterName(e2e::WindowsPath(large));
    EXPECT_TRUE(
        KeptBecomes(Normal(large.string()) + " " + StyleWords()[static_cast<std::size_t>(style)]));
    if (ScreenChecked(style)) {
      CheckScreen(kLarge.file, style);
    }
  }
  ChooseLayoutOnDesktop(0);
}

// The options button, clicked again when a desktop window mapped over the program took it.
void DesktopJourney::ChooseLayoutOnDesktop(int line) {
  e2e::WindowId options = 0;
  const bool opened = ClickUntil(e2e::main_window::kBBtnOptions, [&] {
    for (const e2e::WindowId window : Screen().WindowsOf(FondexPid())) {
      if (Screen().Title(window).starts_with("Fondex : Options")) {
        options = window;
        return true;
      }
    }
    return false;
  });
  if (!opened) {
    throw std::runtime_error("the options dialog did not open");
  }
  PickLayout(options, line);
}

// The name of the picture the change button put on the desktop, in lower case.
std::string DesktopJourney::ClickForNextPicture() {
  const std::string before = e2e::LowerAscii(WinIniWallpaper());
  std::string now;
  const bool changed = ClickUntil(e2e::main_window::kBBtnHasard, [&] {
    now = e2e::LowerAscii(WinIniWallpaper());
    return !now.empty() && now != before;
  });
  if (!changed) {
    throw std::runtime_error("the change button left \"" + now + "\" on the desktop");
  }
  return now.substr(now.rfind('\\') + 1);
}

// A desktop started again maps its window over the program's at a moment nobody is told of; a
// click that this window took is given once more.
bool DesktopJourney::ClickUntil(e2e::Bounds button, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    Raise(MainWindow());
    Click(MainWindow(), button);
    if (WaitFor(done)) {
      return true;
    }
  }
  return false;
}

bool DesktopJourney::WindowShows(pid_t program) {
  return WaitFor([&] { return !Screen().WindowsOf(program).empty(); });
}

void DesktopJourney::CheckScreen(const std::string& name, std::optional<Style> style) {
  e2e::Image screen = CaptureScreen();
  if (screen.rgb.empty() || (style == Style::kTiled && !DrawsTilesHere())) {
    return;  // this desktop draws nothing of its own, or not that here
  }
  const bool shown = WaitFor([&] {
    screen = CaptureScreen();
    if (style) {
      return Shows(screen, PictureNamed(name), *style);
    }
    const std::optional<e2e::Rgb> plain = PlainColour();
    return ShowsNoPicture(screen) && (!plain || ShowsOnly(screen, *plain));
  });
  if (!shown) {
    SaveScreenshot(screen, name.empty() ? "plain" : name);
    ADD_FAILURE() << "the screen does not show " << (name.empty() ? "a plain desktop" : name)
                  << " as asked";
  }
}

}  // namespace fondex::desktops
