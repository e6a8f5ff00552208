#include "win32ui/OpenFileDialog.h"

#include <algorithm>
#include <vector>

#include "platform/win32/WinApi.h"

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

std::optional<std::string> RunOpenFileDialog(const toolkit::OpenDialogRequest& request) {
  std::vector<char> file(32768, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  const std::string filter = SystemFilter(request.filter);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (request.hideReadOnly ? OFN_HIDEREADONLY : 0U) |
                 (request.pathMustExist ? OFN_PATHMUSTEXIST : 0U) |
                 (request.fileMustExist ? OFN_FILEMUSTEXIST : 0U) |
                 (request.shareAware ? OFN_SHAREAWARE : 0U);
  if (!::GetOpenFileNameA(&dialog)) {
    return std::nullopt;
  }
  return std::string(file.data());
}

}  // namespace fondex::win32ui
