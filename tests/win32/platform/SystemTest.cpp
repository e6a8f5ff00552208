#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32/Win32System.h"
#include "platform/win32/WinApi.h"

// The structure of a drop.
#include <shlobj.h>

namespace fondex::platform::win32 {
namespace {

// A drop as the shell hands it over: the names one after the other, each ended by a zero, and
// one more zero at the end.
HGLOBAL MakeDrop(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    list += name + '\0';
  }
  list += '\0';
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(memory);
  return memory;
}

TEST(Win32ShellDrop, ReadsTheDroppedNamesCutToTheBuffer) {
  Win32ShellDrop drops;
  const auto drop = reinterpret_cast<DropHandle>(
      MakeDrop({"C:\\images\\mer.bmp", "C:\\images", "C:\\\xE9t\xE9.bmp"}));
  ASSERT_EQ(drops.DragQueryFileCount(drop), 3U);
  const struct {
    unsigned index;
    std::size_t buffer;
    std::string expected;
  } cases[] = {
      {0, 260, "C:\\images\\mer.bmp"},
      {1, 260, "C:\\images"},
      {2, 260, "C:\\\xE9t\xE9.bmp"},
      {0, 8, "C:\\imag"},
      {0, 0, ""},
  };
  for (const auto& [index, buffer, expected] : cases) {
    EXPECT_EQ(drops.DragQueryFile(drop, index, buffer), expected) << index << " in " << buffer;
  }
  drops.DragFinish(drop);
}

TEST(Win32ShellDrop, AWindowRegisteredBeforeItExistsAcceptsDropsOnceShown) {
  HWND window = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  const auto accepts = [window] {
    return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
  };
  Win32ShellDrop drops;
  const int form = 0;
  drops.DragAcceptFiles(&form, true);
  EXPECT_FALSE(accepts());
  drops.ShowsIn(&form, window);
  EXPECT_TRUE(accepts());
  drops.DragAcceptFiles(&form, false);
  EXPECT_FALSE(accepts());
  ::DestroyWindow(window);
}

TEST(Win32System, ScreenAndClockAnswerInTheirUnits) {
  Win32Screen screen;
  EXPECT_EQ(screen.Width(),
            ::MulDiv(::GetSystemMetrics(SM_CXSCREEN), 96, static_cast<int>(::GetDpiForSystem())));
  EXPECT_GT(screen.Height(), 0);
  SYSTEMTIME before{};
  ::GetSystemTime(&before);
  const SystemTime now = Win32Clock().NowUtc();
  // Within the same minute, or the next one.
  const int minutes = (now.hour * 60 + now.minute) - (before.wHour * 60 + before.wMinute);
  EXPECT_TRUE(minutes == 0 || minutes == 1 || minutes == -1439) << minutes;
  EXPECT_TRUE(now.milliseconds >= 0 && now.milliseconds < 1000);
}

}  // namespace
}  // namespace fondex::platform::win32
