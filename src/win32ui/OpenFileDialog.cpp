#include "win32ui/OpenFileDialog.h"

#include <algorithm>
#include <vector>

#include "platform/win32/WinApi.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {

std::string SystemFilter(const std::string& filter) {
  std::string result = filter;
  for (char& c : result) {
    if (c == '|') {
      c = '\0';
    }
  }
  // An unpaired description gets no pattern: it is left out.
  const auto parts = static_cast<std::size_t>(std::count(result.begin(), result.end(), '\0')) + 1;
  if (parts % 2 != 0) {
    const auto last = result.rfind('\0');
    result.resize(last == std::string::npos ? 0 : last);
  }
  if (!result.empty()) {
    result += '\0';
  }
  result += '\0';
  return result;
}

// The dialog reads wide texts: the program's own and the native names alike go through the
// conversion every window of the program uses, and the chosen name comes back as a native one.
std::optional<std::string> RunOpenFileDialog(const toolkit::OpenDialogRequest& request) {
  std::vector<wchar_t> file(32768, L'\0');
  Widen(request.fileName).copy(file.data(), file.size() - 1);
  const std::wstring filter = Widen(SystemFilter(request.filter));
  const std::wstring initialDir = Widen(request.initialDir);
  const std::wstring title = Widen(request.title);
  const std::wstring defaultExt = Widen(request.defaultExt);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (request.hideReadOnly ? OFN_HIDEREADONLY : 0U) |
                 (request.pathMustExist ? OFN_PATHMUSTEXIST : 0U) |
                 (request.fileMustExist ? OFN_FILEMUSTEXIST : 0U) |
                 (request.shareAware ? OFN_SHAREAWARE : 0U);
  if (!::GetOpenFileNameW(&dialog)) {
    return std::nullopt;
  }
  return Narrow(std::wstring(file.data()));
}

}  // namespace fondex::win32ui
