#include "win32ui/MessageBoxWindow.h"

#include <algorithm>

#include "win32ui/ControlWindows.h"
#include "win32ui/FormWindow.h"
#include "win32ui/Layout.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

constexpr int kFirstButtonId = 100;
constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kIconSide = 32;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
// A name too long for the line breaks anywhere, as the edit boxes break it.
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;

// The system's icon of a kind, and the sound it makes; none for a custom box.
const wchar_t* SystemIconOf(toolkit::MessageKind kind) {
  switch (kind) {
    case toolkit::MessageKind::kWarning:
      return MAKEINTRESOURCEW(32515);  // the warning sign
    case toolkit::MessageKind::kError:
      return MAKEINTRESOURCEW(32513);  // the error sign
    case toolkit::MessageKind::kInformation:
      return MAKEINTRESOURCEW(32516);  // the information sign
    case toolkit::MessageKind::kConfirmation:
      return MAKEINTRESOURCEW(32514);  // the question mark
    case toolkit::MessageKind::kCustom:
      break;
  }
  return nullptr;
}

UINT SoundOf(toolkit::MessageKind kind) {
  switch (kind) {
    case toolkit::MessageKind::kWarning:
      return MB_ICONWARNING;
    case toolkit::MessageKind::kError:
      return MB_ICONERROR;
    case toolkit::MessageKind::kInformation:
      return MB_ICONINFORMATION;
    case toolkit::MessageKind::kConfirmation:
      return MB_ICONQUESTION;
    case toolkit::MessageKind::kCustom:
      break;
  }
  return MB_OK;
}

HFONT MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(const toolkit::MessageBoxRequest& request,
                                   std::function<void(int)> showHelp)
    : request_(request), showHelp_(std::move(showHelp)) {
  Create(Widen(request.title), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
         ::GetActiveWindow(), SIZE{0, 0});
  for (std::size_t i = 0; i < request_.buttons.size(); ++i) {
    const toolkit::MessageButton kind = request_.buttons[i];
    const DWORD style =
        WS_TABSTOP | (request_.defaultButton == kind ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    buttons_.emplace_back(kind, CreateChild(L"BUTTON", toolkit::ButtonCaption(kind), style,
                                            Handle(), kFirstButtonId + static_cast<int>(i), 0));
  }
  LayOut();
}

MessageBoxWindow::~MessageBoxWindow() {
  ::DeleteObject(font_);
}

HWND MessageBoxWindow::Button(toolkit::MessageButton button) const {
  for (const auto& [kind, hwnd] : buttons_) {
    if (kind == button) {
      return hwnd;
    }
  }
  return nullptr;
}

void MessageBoxWindow::LayOut() {
  const UINT dpi = ::GetDpiForWindow(Handle());
  const auto scaled = [dpi](int pixels) { return Scaled(pixels, dpi); };
  font_ = MessageFont(dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;

  // The text on as few lines as it needs, none wider than half the screen, measured as Paint
  // draws it; the last glyph of a line may reach past its advance, and the box leaves it room.
  text_ = Widen(request_.text);
  RECT text{0, 0, (work.right - work.left) / 2, 0};
  HDC dc = ::GetDC(Handle());
  HGDIOBJ old = ::SelectObject(dc, font_);
  ::DrawTextW(dc, text_.c_str(), -1, &text, kTextFormat | DT_CALCRECT);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  const int overhang = metrics.tmAveCharWidth / 2;
  ::SelectObject(dc, old);
  ::ReleaseDC(Handle(), dc);

  if (const wchar_t* icon = SystemIconOf(request_.kind)) {
    iconSide_ = scaled(kIconSide);
    icon_ = static_cast<HICON>(
        ::LoadImageW(nullptr, icon, IMAGE_ICON, iconSide_, iconSide_, LR_SHARED));
  }
  iconAt_ = POINT{scaled(kMargin), scaled(kMargin)};
  const int textLeft = scaled(kMargin) + (icon_ != nullptr ? iconSide_ + scaled(kMargin) : 0);
  const int textHeight = text.bottom - text.top;
  const int upper = std::max(textHeight, icon_ != nullptr ? iconSide_ : 0);
  const int textTop = scaled(kMargin) + (upper - textHeight) / 2;
  const int count = static_cast<int>(buttons_.size());
  const int row = count * scaled(kButtonWidth) + std::max(0, count - 1) * scaled(kGap);
  const int width =
      std::max<int>(textLeft + text.right + overhang + scaled(kMargin), row + 2 * scaled(kMargin));
  const int rowTop = scaled(kMargin) + upper + scaled(kMargin);
  const int height = rowTop + scaled(kButtonHeight) + scaled(kMargin);

  textArea_ = RECT{textLeft, textTop, textLeft + text.right, textTop + textHeight};
  int left = (width - row) / 2;
  for (const auto& [kind, hwnd] : buttons_) {
    ::SetWindowPos(hwnd, nullptr, left, rowTop, scaled(kButtonWidth), scaled(kButtonHeight),
                   SWP_NOZORDER);
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    left += scaled(kButtonWidth) + scaled(kGap);
  }
  RECT outer{0, 0, width, height};
  ::AdjustWindowRectExForDpi(&outer, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME,
                             dpi);
  const int outerWidth = outer.right - outer.left;
  const int outerHeight = outer.bottom - outer.top;
  ::SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - outerWidth) / 2,
                 work.top + (work.bottom - work.top - outerHeight) / 2, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int MessageBoxWindow::Run() {
  const ModalScope scope(Handle());
  ::MessageBeep(SoundOf(request_.kind));
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  // The default button has the focus when the box opens, else the first one.
  HWND first = request_.defaultButton ? Button(*request_.defaultButton) : nullptr;
  if (first == nullptr && !buttons_.empty()) {
    first = buttons_.front().second;
  }
  ::SetFocus(first != nullptr ? first : Handle());
  PumpMessages([this] { return done_; });
  ::ShowWindow(Handle(), SW_HIDE);
  return result_;
}

void MessageBoxWindow::Press(toolkit::MessageButton button) {
  if (button == toolkit::MessageButton::kHelp) {
    if (showHelp_) {
      showHelp_(request_.helpContext);
    }
    return;
  }
  result_ = toolkit::ButtonResult(button);
  done_ = true;
}

bool MessageBoxWindow::PreTranslate(MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (message.wParam == VK_RETURN) {
    for (const auto& [kind, hwnd] : buttons_) {
      if (hwnd == ::GetFocus()) {
        Press(kind);
        return true;
      }
    }
    if (request_.defaultButton) {
      Press(*request_.defaultButton);
    }
  } else if (request_.cancelButton) {
    Press(*request_.cancelButton);
  }
  // Without a cancel button Escape does nothing, not even close the box.
  return true;
}

void MessageBoxWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  if (icon_ != nullptr) {
    ::DrawIconEx(dc, iconAt_.x, iconAt_.y, icon_, iconSide_, iconSide_, 0, nullptr, DI_NORMAL);
  }
  HGDIOBJ old = ::SelectObject(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  RECT area = textArea_;
  ::DrawTextW(dc, text_.c_str(), -1, &area, kTextFormat | DT_NOCLIP);
  ::SelectObject(dc, old);
  ::EndPaint(Handle(), &paint);
}

LRESULT MessageBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(wParam) - kFirstButtonId;
      if (HIWORD(wParam) == BN_CLICKED && index >= 0 && index < static_cast<int>(buttons_.size())) {
        Press(buttons_[static_cast<std::size_t>(index)].first);
      }
      return 0;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_CLOSE:
      result_ = toolkit::kCloseBoxResult;
      done_ = true;
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace fondex::win32ui
