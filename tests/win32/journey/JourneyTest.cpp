// The program as its user meets it: started from its own folder with a wallpaper already in the
// system profile, its change button pressed, then closed; the profile and the program's two
// files are read afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "TempFolder.h"
#include "platform/win32/WinApi.h"

namespace fondex::win32test {
namespace {

using namespace std::chrono_literals;

// The program as the build left it; a path of the build machine reaches it through Wine's
// drive of the whole file system.
std::string ProgramPath() {
  std::string path = FONDEX_EXE;
  if (!path.empty() && path.front() == '/') {
    path = "Z:" + path;
  }
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
  return path;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return text;
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

std::string StoredWallpaper() {
  char name[MAX_PATH];
  ::GetProfileStringA("Desktop", "Wallpaper", "", name, MAX_PATH);
  return name;
}

std::string CaptionOf(HWND window) {
  char caption[512];
  return std::string(caption, static_cast<std::size_t>(::GetWindowTextA(window, caption, 512)));
}

// A 1 x 1 bitmap of one colour.
std::string Bitmap(unsigned char blue) {
  const unsigned char bytes[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0,   0,  40,
                                 0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0,   24, 0,
                                 0,   0,   0,  0, 4, 0, 0, 0, 0, 0, 0,  0, 0,   0,  0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, blue};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class ProgramRun {
 public:
  explicit ProgramRun(const std::string& folder, const std::string& arguments = "") {
    std::string command = "\"" + folder + "\\fondex.exe\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &process_) != 0;
  }
  ~ProgramRun() {
    if (started_ && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 1);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }

  // The program's visible top-level window whose caption starts with the text.
  HWND Window(const std::string& captionStart) const {
    struct Search {
      DWORD process;
      std::string caption;
      HWND found;
    } search{process_.dwProcessId, captionStart, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM context) -> BOOL {
          auto& wanted = *reinterpret_cast<Search*>(context);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner == wanted.process && ::IsWindowVisible(hwnd) &&
              CaptionOf(hwnd).starts_with(wanted.caption)) {
            wanted.found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // The main window, once shown; nullptr when it does not come in time.
  HWND MainWindow() const {
    HWND main = nullptr;
    WaitFor([&] { return started_ && (main = Window("Fondex2")) != nullptr; });
    return main;
  }

  // The exit code, once the program has ended; nothing when it does not end in time.
  std::optional<DWORD> ExitCode() const {
    if (::WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// A click of the left button at a point of the main window's client area, which keeps its
// designed pixels at every density.
void ClickAt(HWND window, POINT point) {
  ::ClientToScreen(window, &point);
  ::SetCursorPos(point.x, point.y);
  INPUT clicks[2]{};
  clicks[0].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].type = INPUT_MOUSE;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, clicks, sizeof(INPUT));
}

// The centre of the change button in the main window's client area.
constexpr POINT kChangeButton{423 + 15, 183 + 15};
// The options button, and in the options dialog's client area its OK button and the line
// "Centré" of its layout list.
constexpr POINT kOptionsButton{375 + 15, 5 + 15};
constexpr POINT kOptionsOk{459 + 50, 120 + 50};
constexpr POINT kCentreLine{88 + 60, 751 + 2 + 1 * 16 + 8};

// The program copied to the folder, two pictures in its folder "images", the first of them the
// wallpaper; the folder "images" in the program's spelling.
std::string PrepareCopy(const TempFolder& app, const std::string& settings) {
  EXPECT_TRUE(::CopyFileA(ProgramPath().c_str(), app.Join("fondex.exe").c_str(), FALSE))
      << ProgramPath();
  ::CreateDirectoryA(app.Join("images").c_str(), nullptr);
  app.Write("images\\Mer.BMP", Bitmap(200));
  app.Write("images\\ciel.bmp", Bitmap(100));
  const std::string images = Lower(app.Join("images"));
  app.Write("FONDEX.DAT", images + "\r\n2\r\n");
  app.Write("FONDEX.INI", settings);
  std::string wallpaper = app.Join("images\\Mer.BMP");
  EXPECT_TRUE(::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, wallpaper.data(),
                                      SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
  return images;
}

// The system keeps the picture as the wallpaper and the main window's caption names it.
void ExpectShown(HWND main, const std::string& picture) {
  EXPECT_TRUE(WaitFor([&] { return StoredWallpaper() == picture; })) << StoredWallpaper();
  EXPECT_TRUE(WaitFor([&] { return CaptionOf(main) == "Fondex2 : " + picture; }))
      << CaptionOf(main);
}

// The control of the main window at a point of its client area.
HWND ControlAt(HWND window, POINT point) {
  return ::ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

// Inside the directory list of the main window.
constexpr POINT kDirectoryList{175 + 20, 40 + 20};

// The screen's density that the programs started from now on get; the one before comes back.
class ScreenDensity {
 public:
  explicit ScreenDensity(DWORD dpi) {
    DWORD size = sizeof before_;
    had_ = ::RegGetValueA(HKEY_CURRENT_USER, kKey, "LogPixels", RRF_RT_REG_DWORD, nullptr, &before_,
                          &size) == ERROR_SUCCESS;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  ~ScreenDensity() {
    if (had_) {
      ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &before_, sizeof before_);
    } else {
      ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels");
    }
  }
  ScreenDensity(const ScreenDensity&) = delete;
  ScreenDensity& operator=(const ScreenDensity&) = delete;

 private:
  static constexpr const char* kKey = "Control Panel\\Desktop";
  DWORD before_ = 96;
  bool had_ = false;
};

constexpr char kSuccessive[] = "[Options]\r\nHasardTech=Successif\r\n";
constexpr char kSuccessiveAtStart[] = "[Options]\r\nHasardTech=Successif\r\nAuLancement=Oui\r\n";
constexpr char kWithIcon[] = "[Options]\r\nHasardTech=Successif\r\nIconeNotification=Oui\r\n";
constexpr char kEachScreen[] = "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n";
constexpr char kPlaced[] =
    "[Options]\r\nHasardTech=Successif\r\n[Placement]\r\nTop=100\r\nLeft=50\r\n";

// fondex.exe started from its own folder with the settings on a screen of the density, the
// first picture already the wallpaper.
template <const char* kSettings, DWORD kDpi = 96>
class StartedWith : public ::testing::Test {
 protected:
  const ScreenDensity density{kDpi};
  TempFolder app;
  const std::string images = PrepareCopy(app, kSettings);
  ProgramRun fondex{app.Path()};
  const HWND main = fondex.MainWindow();
};

using Journey = StartedWith<kSuccessive>;
using JourneyChangingAtStart = StartedWith<kSuccessiveAtStart>;
using JourneyPlacedAt120Dpi = StartedWith<kPlaced, 120>;
using JourneyWithIcon = StartedWith<kWithIcon>;
using JourneyEachScreen = StartedWith<kEachScreen>;

RECT OuterOf(HWND window) {
  RECT outer{};
  ::GetWindowRect(window, &outer);
  return outer;
}

RECT ClientOf(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return client;
}

TEST_F(Journey, TheChangeButtonSetsTheNextWallpaperAndClosingKeepsTheFiles) {
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return CaptionOf(main) == "Fondex2 : " + images + "\\mer.bmp"; }))
      << CaptionOf(main);

  // One after the other in the folder: after the last file comes the first.
  ClickAt(main, kChangeButton);
  ExpectShown(main, images + "\\ciel.bmp");

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
  EXPECT_EQ(StoredWallpaper(), images + "\\ciel.bmp") << "the wallpaper stays";
  EXPECT_EQ(app.Read("FONDEX.DAT"), images + "\r\n2\r\n");
  const std::string settings = app.Read("FONDEX.INI");
  // The key that was there keeps its place; the others follow it.
  EXPECT_TRUE(settings.starts_with("[Options]\r\nHasardTech=Successif\r\nHasardLieu=RepActif\r\n"))
      << settings;
  EXPECT_NE(settings.find("\r\nFinNone=Non\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\r\n[Placement]\r\nTop="), std::string::npos) << settings;
  EXPECT_NE(settings.find("\r\nLeft="), std::string::npos) << settings;
}

// A value of HKCU\Control Panel\Desktop, where the system keeps WIN.INI's [Desktop].
std::string DesktopValue(const char* name) {
  char value[64];
  DWORD size = sizeof value;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

// A layout chosen in the options dialog is the system's own setting once the wallpaper changes.
TEST_F(Journey, TheLayoutChosenInTheOptionsIsTheSystemsOwnAfterTheChange) {
  ASSERT_NE(main, nullptr);
  ::RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", REG_SZ, "1", 2);
  ClickAt(main, kOptionsButton);
  HWND options = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (options = fondex.Window("Fondex : Options")) != nullptr; }));
  // The dialog with all its areas is taller than this 1024 x 768 screen and its last lines are
  // below it: a click on a line that shows, then the End key, as a user would reach "Remplir".
  ClickAt(options, kCentreLine);
  INPUT end[2]{};
  end[0].type = end[1].type = INPUT_KEYBOARD;
  end[0].ki.wVk = end[1].ki.wVk = VK_END;
  end[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, end, sizeof(INPUT));
  ClickAt(options, kOptionsOk);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(options); }));
  ClickAt(main, kChangeButton);
  ExpectShown(main, images + "\\ciel.bmp");
  EXPECT_EQ(DesktopValue("WallpaperStyle"), "10");
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
  EXPECT_NE(app.Read("FONDEX.INI").find("\r\nDisposition=Remplir\r\n"), std::string::npos);
}

// A child window of the window, found by its caption; nullptr for none.
HWND ChildCaptioned(HWND window, const std::wstring& caption) {
  std::pair<std::wstring, HWND> search{caption, nullptr};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM context) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<std::pair<std::wstring, HWND>*>(context);
        wchar_t text[128];
        if (wanted == std::wstring(text, ::GetWindowTextW(child, text, 128))) {
          found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// A system whose shell has no picture per screen, as this one: the choice kept in the settings
// shows greyed, and each change is the one of the whole desktop.
TEST_F(JourneyEachScreen, OnASystemWithOnePictureTheChoiceIsGreyedAndChangesNothing) {
  ASSERT_NE(main, nullptr);
  ClickAt(main, kOptionsButton);
  HWND options = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (options = fondex.Window("Fondex : Options")) != nullptr; }));
  const HWND eachScreen =
      ChildCaptioned(options, L"Un papier peint diff\u00e9rent sur chaque \u00e9cran");
  ASSERT_NE(eachScreen, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(eachScreen));
  EXPECT_EQ(::SendMessageW(eachScreen, BM_GETCHECK, 0, 0), BST_CHECKED);
  ClickAt(options, kOptionsOk);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(options); }));

  ClickAt(main, kChangeButton);
  ExpectShown(main, images + "\\ciel.bmp");
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
  EXPECT_NE(app.Read("FONDEX.INI").find("\r\nParEcran=Oui\r\n"), std::string::npos);
}

TEST_F(Journey, ALaterStartHandsItsCommandToTheRunningCopyAndEnds) {
  ASSERT_NE(main, nullptr);

  // The name is the later start's, taken in its own working folder.
  ProgramRun later(app.Path(), "--set images\\ciel.bmp");
  EXPECT_EQ(later.ExitCode(), 0U);
  ExpectShown(main, images + "\\ciel.bmp");

  ProgramRun wrong(app.Path(), "--rien");
  EXPECT_NE(wrong.ExitCode(), 0U);
  EXPECT_EQ(wrong.Window("Fondex2"), nullptr);

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
}

TEST_F(JourneyChangingAtStart, TheDirectoryOfTheNewWallpaperIsSelected) {
  ASSERT_NE(main, nullptr);
  ExpectShown(main, images + "\\ciel.bmp");
  HWND directories = ControlAt(main, kDirectoryList);
  ASSERT_NE(directories, main);
  EXPECT_EQ(::SendMessageA(directories, LB_GETCURSEL, 0, 0), 0);

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
}

// The first start places the outer frame one pixel in from the screen's right and bottom edges.
TEST_F(Journey, TheFirstStartPlacesTheWindowInTheBottomRightCorner) {
  ASSERT_NE(main, nullptr);
  const RECT outer = OuterOf(main);
  EXPECT_EQ(outer.right, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_EQ(outer.bottom, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  const RECT client = ClientOf(main);
  EXPECT_EQ(client.right, 465);
  EXPECT_EQ(client.bottom, 253);

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
}

// The main window keeps its pixels on a denser screen, and its stored place is in the screen's.
TEST_F(JourneyPlacedAt120Dpi, TheMainWindowIsNotRescaled) {
  ASSERT_NE(main, nullptr);
  const RECT outer = OuterOf(main);
  // The frame is the denser screen's.
  RECT frame{0, 0, 465, 253};
  ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             FALSE, 0, 120);
  EXPECT_EQ(outer.bottom - outer.top, frame.bottom - frame.top);
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 100);
  const RECT client = ClientOf(main);
  EXPECT_EQ(client.right, 465);
  EXPECT_EQ(client.bottom, 253);
  // The directory list at its designed place.
  RECT list{};
  ::GetWindowRect(ControlAt(main, kDirectoryList), &list);
  POINT origin{0, 0};
  ::ClientToScreen(main, &origin);
  EXPECT_EQ(list.left - origin.x, 175);

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
  const std::string settings = app.Read("FONDEX.INI");
  EXPECT_NE(settings.find("\r\nTop=100\r\nLeft=50\r\n"), std::string::npos) << settings;
}

// The notification-area icon: minimized, the window hides into it, which it does only once the
// task bar took the icon; the menu's commands, sent as the icon window's own, change the
// wallpaper and go back; a click on the icon brings the window back.
TEST_F(JourneyWithIcon, TheIconsMenuChangesAndGoesBackAndTheWindowHidesIntoIt) {
  ASSERT_NE(main, nullptr);
  const HWND icon = ::FindWindowW(L"FondexWindow", L"Fondex : zone de notification");
  ASSERT_NE(icon, nullptr);
  constexpr UINT kIconMessage = WM_APP + 1;
  constexpr WPARAM kChange = 100;
  constexpr WPARAM kPrevious = 101;
  constexpr WPARAM kShow = 105;
  constexpr WPARAM kQuit = 107;

  ::PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) == FALSE; }));

  ::PostMessageW(icon, WM_COMMAND, kChange, 0);
  ExpectShown(main, images + "\\ciel.bmp");
  ::PostMessageW(icon, WM_COMMAND, kPrevious, 0);
  ExpectShown(main, images + "\\mer.bmp");

  ProgramRun next(app.Path(), "--next");
  EXPECT_EQ(next.ExitCode(), 0U);
  ExpectShown(main, images + "\\ciel.bmp");
  ProgramRun previous(app.Path(), "--previous");
  EXPECT_EQ(previous.ExitCode(), 0U);
  ExpectShown(main, images + "\\mer.bmp");
  EXPECT_FALSE(::IsWindowVisible(main));

  ::PostMessageW(icon, kIconMessage, 1, WM_LBUTTONUP);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }));

  // Explorer's start announced: the icon is still there to hide into.
  ::PostMessageW(icon, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ::PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) == FALSE; }));
  ::PostMessageW(icon, WM_COMMAND, kShow, 0);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }));

  ::PostMessageW(icon, WM_COMMAND, kQuit, 0);
  EXPECT_EQ(fondex.ExitCode(), 0U);
  EXPECT_NE(app.Read("FONDEX.INI").find("\r\nIconeNotification=Oui\r\n"), std::string::npos);
}

}  // namespace
}  // namespace fondex::win32test
