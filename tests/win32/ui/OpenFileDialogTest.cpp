// The system's file dialog as the program opens it: its title and the chosen name, read back
// through the dialog's own window while it runs.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/win32/WinApi.h"
#include "win32ui/OpenFileDialog.h"

namespace fondex::win32ui {
namespace {

// What the dialog's window held, then an OK pressed on it; run from a timer inside the dialog's
// own message loop.
struct Seen {
  std::wstring title;
  std::wstring fileName;
};
Seen seen;

HWND ThreadDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM context) -> BOOL {
        wchar_t name[16];
        ::GetClassNameW(hwnd, name, 16);
        if (std::wstring(name) == L"#32770" && ::IsWindowVisible(hwnd)) {
          *reinterpret_cast<HWND*>(context) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512];
  return std::wstring(text, static_cast<std::size_t>(::GetWindowTextW(hwnd, text, 512)));
}

void CALLBACK ReadAndConfirm(HWND /*hwnd*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  HWND dialog = ThreadDialog();
  if (dialog == nullptr) {
    return;
  }
  ::KillTimer(nullptr, timer);
  seen.title = TextOf(dialog);
  constexpr int kFileNameBox = 1148;  // the combo box of the file name
  seen.fileName = TextOf(::GetDlgItem(dialog, kFileNameBox));
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(OpenFileDialog, TheTitleAndTheNamesReadAsTheProgramsTexts) {
  const win32test::TempFolder folder;
  const std::string name = "\xE9t\xE9.bmp";  // a native name, "été.bmp"
  folder.Write(name, "BM");
  const struct {
    const char* title;
    const wchar_t* shown;
  } cases[] = {
      {"S\xC3\xA9lection d'une image", L"S\u00E9lection d'une image"},
      {"S\xC3\xA9lection d'un r\xC3\xA9pertoire", L"S\u00E9lection d'un r\u00E9pertoire"},
  };
  for (const auto& [title, shown] : cases) {
    toolkit::OpenDialogRequest request;
    request.title = title;
    request.fileName = name;
    request.initialDir = folder.Path();
    request.defaultExt = "BMP";
    request.filter = "Images bitmap (*.BMP)|*.bmp|Tous les fichiers (*.*)|*.*";
    request.fileMustExist = true;
    seen = {};
    ::SetTimer(nullptr, 0, 50, &ReadAndConfirm);
    const std::optional<std::string> chosen = RunOpenFileDialog(request);
    EXPECT_EQ(seen.title, shown);
    EXPECT_EQ(seen.fileName, L"\u00E9t\u00E9.bmp");
    EXPECT_EQ(chosen, folder.Join(name));
  }
}

}  // namespace
}  // namespace fondex::win32ui
