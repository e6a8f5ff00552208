#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TempFolder.h"
#include "platform/win32/Win32DesktopWallpaper.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {
namespace {

using win32test::TempFolder;

// A top-level window that hands the system's profile-change notification to the service, as
// the program's main window does, and a listener that notes what the profile held then.
class NotifiedWindow : public ProfileChangeListener {
 public:
  explicit NotifiedWindow(Win32DesktopWallpaper& desktop) : desktop_(desktop) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &NotifiedWindow::Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FondexNotified";
    ::RegisterClassA(&windowClass);
    hwnd_ = ::CreateWindowExA(0, "FondexNotified", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    desktop_.AddListener(this);
  }
  ~NotifiedWindow() override {
    desktop_.RemoveListener(this);
    ::DestroyWindow(hwnd_);
  }

  std::vector<std::string> seen;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NotifiedWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == WM_SETTINGCHANGE && wParam == SPI_SETDESKWALLPAPER) {
      self->desktop_.ProfileChanged();
      return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  void ProfileChanged() override {
    seen.push_back(Win32ProfileFiles().GetString("WIN.INI", "Desktop", "Wallpaper", "-", MAX_PATH));
  }

  Win32DesktopWallpaper& desktop_;
  HWND hwnd_ = nullptr;
};

// A 1 x 1 bitmap of one colour.
std::string Bitmap() {
  std::string bytes = "BM";
  const unsigned char rest[] = {58, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,  0, 0,
                                1,  0, 0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,  0, 0, 0, 0, 0,  0, 0,
                                0,  0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 255};
  bytes.append(reinterpret_cast<const char*>(rest), sizeof rest);
  return bytes;
}

TEST(Win32DesktopWallpaper, TheSystemStoresTheNameAndNotifiesInsideTheCall) {
  TempFolder folder;
  folder.Write("mer.bmp", Bitmap());
  Win32DesktopWallpaper desktop;
  NotifiedWindow window(desktop);
  const std::string wallpaper = folder.Join("mer.bmp");
  for (const std::string& name : {wallpaper, std::string()}) {
    window.seen.clear();
    ASSERT_TRUE(desktop.SetDeskWallpaper(name)) << name;
    // No message loop ran: the notification came inside the call, the profile already written.
    EXPECT_EQ(window.seen, std::vector<std::string>{name});
    EXPECT_EQ(Win32ProfileFiles().GetString("WIN.INI", "Desktop", "Wallpaper", "-", MAX_PATH),
              name);
    char fromWinIni[MAX_PATH];
    ::GetProfileStringA("Desktop", "Wallpaper", "-", fromWinIni, MAX_PATH);
    EXPECT_EQ(fromWinIni, name);
  }
}

// The shell's per-monitor object, which this system may lack: it knows the primary monitor and
// one that the system does not show, and notes the pictures it is given.
struct ShellCalls {
  bool accepts = true;
  std::vector<std::pair<std::wstring, std::wstring>> set;
};

class FakeShell : public ShellWallpapers {
 public:
  explicit FakeShell(ShellCalls& calls) : calls_(calls) {}
  std::vector<ShellMonitor> Monitors() override {
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    ::GetMonitorInfoA(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return {{L"gone", {-5000, 0, -4000, 768}}, {L"primary", primary.rcMonitor}};
  }
  bool Set(const std::wstring& monitor, const std::wstring& picture) override {
    calls_.set.emplace_back(monitor, picture);
    return calls_.accepts;
  }

 private:
  ShellCalls& calls_;
};

TEST(Win32DesktopWallpaper, EachScreensPictureGoesToItsMonitorAndTheWindowsIsStored) {
  const std::string primary = MonitorName(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
  ShellCalls calls;
  Win32DesktopWallpaper desktop([&] { return std::make_unique<FakeShell>(calls); });
  // The monitor that the system does not show is no screen.
  EXPECT_EQ(desktop.Screens(), std::vector<std::string>{primary});

  const struct {
    std::vector<ScreenWallpaper> pictures;
    std::string window;
    bool accepts;
    bool set;
  } cases[] = {
      {{{primary, "c:\\images\\mer.bmp"}}, primary, true, true},
      {{{primary, "c:\\images\\mer.bmp"}}, primary, false, false},
      {{{primary, "c:\\images\\mer.bmp"}, {"\\\\.\\DISPLAY9", "c:\\ciel.bmp"}},
       primary,
       true,
       false},
      {{{primary, "c:\\images\\mer.bmp"}}, "\\\\.\\DISPLAY9", true, false},
      {{{primary, ""}}, primary, true, false},
  };
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    const auto& step = cases[index];
    SCOPED_TRACE(index);
    ASSERT_TRUE(desktop.SetDeskWallpaper("c:\\avant.bmp"));
    NotifiedWindow window(desktop);
    calls = {step.accepts, {}};
    EXPECT_EQ(desktop.SetScreenWallpapers(step.pictures, step.window), step.set);
    const std::string stored = step.set ? "c:\\images\\mer.bmp" : "c:\\avant.bmp";
    EXPECT_EQ(Win32ProfileFiles().GetString("WIN.INI", "Desktop", "Wallpaper", "-", MAX_PATH),
              stored);
    EXPECT_EQ(window.seen,
              step.set ? std::vector<std::string>{stored} : std::vector<std::string>{});
    const bool reachesShell = step.set || !step.accepts;
    EXPECT_EQ(calls.set.size(), reachesShell ? 1U : 0U);
    if (reachesShell) {
      EXPECT_EQ(calls.set.front(),
                std::make_pair(std::wstring(L"primary"), std::wstring(L"c:\\images\\mer.bmp")));
    }
  }
}

}  // namespace
}  // namespace fondex::platform::win32
