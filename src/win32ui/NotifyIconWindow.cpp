#include "win32ui/NotifyIconWindow.h"

#include <cwchar>

#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

constexpr UINT kIconId = 1;
constexpr int kProgramIcon = 1;

}  // namespace

NotifyIconWindow::NotifyIconWindow(toolkit::Application& app, toolkit::NotifyIcon& icon)
    : app_(app),
      icon_(icon),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")),
      picture_(static_cast<HICON>(::LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(kProgramIcon),
                                               IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR))),
      changed_(icon.Changed, [this] { Follow(); }) {
  // A top-level window, never shown: a message-only one would not hear TaskbarCreated.
  Create(kCaption, WS_POPUP, WS_EX_TOOLWINDOW, nullptr, SIZE{0, 0});
  // The area is there when Explorer took the icon.
  icon_.AreaExists = [this] { return added_; };
  Follow();
}

NotifyIconWindow::~NotifyIconWindow() {
  icon_.AreaExists = nullptr;
  if (added_) {
    NOTIFYICONDATAW data = Data();
    ::Shell_NotifyIconW(NIM_DELETE, &data);
  }
  if (picture_ != nullptr) {
    ::DestroyIcon(picture_);
  }
}

NOTIFYICONDATAW NotifyIconWindow::Data() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = kIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kIconMessage;
  data.hIcon = picture_;
  // The tip is cut to what the structure holds.
  std::wcsncpy(data.szTip, Widen(icon_.Tip()).c_str(), std::size(data.szTip) - 1);
  return data;
}

void NotifyIconWindow::Follow() {
  NOTIFYICONDATAW data = Data();
  if (icon_.Shown() && !added_) {
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != 0;
  } else if (icon_.Shown()) {
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
  } else if (added_) {
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
  }
}

void NotifyIconWindow::ShowMenu() {
  HMENU menu = ::CreatePopupMenu();
  const std::vector<toolkit::NotifyMenuItem>& items = icon_.Menu();
  for (std::size_t index = 0; index < items.size(); ++index) {
    const toolkit::NotifyMenuItem& item = items[index];
    if (item.caption.empty()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) |
                       (item.enabled ? MF_ENABLED : MF_GRAYED);
    ::AppendMenuW(menu, flags, kFirstCommand + index, Widen(item.caption).c_str());
  }
  POINT at{};
  ::GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only while its window is in front.
  ::SetForegroundWindow(Handle());
  ::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, Handle(), nullptr);
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
  ::DestroyMenu(menu);
}

LRESULT NotifyIconWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kIconMessage) {
    const UINT mouse = LOWORD(lParam);
    if (mouse == WM_LBUTTONUP && icon_.OnClick) {
      app_.Dispatch([this] { icon_.OnClick(); });
    } else if (mouse == WM_RBUTTONUP || mouse == WM_CONTEXTMENU) {
      ShowMenu();
    }
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) >= kFirstCommand) {
    const std::size_t index = LOWORD(wParam) - kFirstCommand;
    if (index < icon_.Menu().size() && icon_.OnMenuClick) {
      app_.Dispatch([this, index] { icon_.OnMenuClick(index); });
    }
    return 0;
  }
  if (message == taskbarCreated_) {
    // Explorer started again: its area has forgotten the icon, unless the message came without
    // a restart and the icon is still there.
    if (added_) {
      NOTIFYICONDATAW data = Data();
      added_ =
          ::Shell_NotifyIconW(NIM_ADD, &data) != 0 || ::Shell_NotifyIconW(NIM_MODIFY, &data) != 0;
    } else {
      Follow();
    }
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace fondex::win32ui
