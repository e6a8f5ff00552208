#include "win32ui/FormWindow.h"

#include <algorithm>

#include "platform/win32/ShellWallpapers.h"
#include "toolkit/FormKeys.h"
#include "win32ui/Layout.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

DWORD StyleOf(const toolkit::Form& form) {
  if (form.borderStyle == toolkit::BorderStyle::kDialog) {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU;
  }
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (form.minimizeBox ? WS_MINIMIZEBOX : 0U) |
         (form.maximizeBox ? WS_MAXIMIZEBOX : 0U);
}

DWORD ExStyleOf(const toolkit::Form& form) {
  return form.borderStyle == toolkit::BorderStyle::kDialog ? WS_EX_DLGMODALFRAME : 0U;
}

// The outer size of a window whose client area has the form's designed size at the layout's
// density, in a frame of the screen's.
SIZE OuterSize(const toolkit::Form& form, UINT layoutDpi, UINT screenDpi) {
  RECT rect{0, 0, Scaled(form.bounds.width, layoutDpi), Scaled(form.bounds.height, layoutDpi)};
  ::AdjustWindowRectExForDpi(&rect, StyleOf(form), FALSE, ExStyleOf(form), screenDpi);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

toolkit::ShiftState ShiftNow() {
  const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
  return {down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU)};
}

BOOL CALLBACK DisableOther(HWND hwnd, LPARAM context) {
  auto& [modal, disabled] = *reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(context);
  if (hwnd != modal && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
    ::EnableWindow(hwnd, FALSE);
    disabled->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

ModalScope::ModalScope(HWND modal) : active_(::GetActiveWindow()) {
  std::pair<HWND, std::vector<HWND>*> context{modal, &disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(&context));
}

ModalScope::~ModalScope() {
  for (HWND hwnd : disabled_) {
    ::EnableWindow(hwnd, TRUE);
  }
  // The modal window was hidden while the others were still disabled: none took its place.
  if (active_ != nullptr && ::IsWindowVisible(active_) && ::IsWindowEnabled(active_)) {
    ::SetForegroundWindow(active_);
    ::SetActiveWindow(active_);
  }
}

FormWindow::FormWindow(toolkit::Application& app, toolkit::Form& form, HWND owner, Scaling scaling)
    : app_(app),
      form_(form),
      scaling_(scaling),
      dpi_(scaling == Scaling::kNone ? kDesignDpi : ::GetDpiForSystem()),
      changed_(form.Changed, [this] { Refresh(); }),
      broughtToFront_(form.BroughtToFront, [this] { BringToFront(); }),
      // After the event that asked: the close query is an event of its own.
      closeRequested_(form.CloseRequested, [this] { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }) {
  Create(Widen(form.Caption()), StyleOf(form), ExStyleOf(form), owner,
         OuterSize(form, dpi_, ::GetDpiForSystem()));
  if (scaling_ == Scaling::kWithScreen) {
    dpi_ = ::GetDpiForWindow(Handle());
  }
  MeasureFrame();
  tooltips_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                Handle(), nullptr, ProgramInstance(), nullptr);
  BuildViews(form_);
  LayOut(dpi_);
  Refresh();
  // The screen as the system names its monitors, which is how the desktop service names them.
  form_.screenProbe = [this] {
    return platform::win32::MonitorName(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST));
  };
}

FormWindow::~FormWindow() {
  form_.screenProbe = nullptr;
}

// A modal window open over this one stays above it, and keeps the keyboard.
void FormWindow::BringToFront() {
  ::SetForegroundWindow(Handle());
  HWND popup = ::GetLastActivePopup(Handle());
  if (popup != Handle()) {
    ::SetForegroundWindow(popup);
  }
}

void FormWindow::BuildViews(toolkit::Control& parent) {
  for (toolkit::Control* control : parent.Children()) {
    const int id = static_cast<int>(views_.size()) + 1;
    views_.push_back(CreateControlWindow(app_, *control, Handle(), id));
    controls_.push_back(control);
    ControlWindow& view = *views_.back();
    viewOf_[view.Handle()] = &view;
    if (toolkit::TakesFocus(control->Kind())) {
      const LONG style = ::GetWindowLongW(view.Handle(), GWL_STYLE);
      ::SetWindowLongW(view.Handle(), GWL_STYLE,
                       control->tabOrder >= 0 ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    if (!control->hint.empty()) {
      const std::wstring hint = Widen(control->hint);
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = Handle();
      tool.uId = reinterpret_cast<UINT_PTR>(view.Handle());
      tool.lpszText = const_cast<wchar_t*>(hint.c_str());
      ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    BuildViews(*control);
  }
  if (&parent != &form_) {
    return;
  }
  // The system walks the tab stops and a group's arrow keys in the order of its windows.
  const std::vector<const toolkit::Control*> chain = toolkit::TabChain(form_);
  HWND previous = HWND_TOP;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    HWND view = ViewOf(chain[i]);
    ::SetWindowPos(view, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const LONG style = ::GetWindowLongW(view, GWL_STYLE);
    ::SetWindowLongW(view, GWL_STYLE,
                     toolkit::StartsGroup(chain, i) ? style | WS_GROUP : style & ~WS_GROUP);
    previous = view;
  }
  ShowTabStops();
}

// A radio group is one stop, at its checked button: Tab into it does not check another one.
void FormWindow::ShowTabStops() {
  const std::vector<const toolkit::Control*> chain = toolkit::TabChain(form_);
  const std::vector<const toolkit::Control*> stops = toolkit::TabStops(chain);
  for (const toolkit::Control* control : chain) {
    HWND view = ViewOf(control);
    const LONG style = ::GetWindowLongW(view, GWL_STYLE);
    const bool stop = std::find(stops.begin(), stops.end(), control) != stops.end();
    ::SetWindowLongW(view, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void FormWindow::LayOut(UINT dpi) {
  for (const auto& view : views_) {
    view->LayOut(dpi);
  }
}

HWND FormWindow::ViewOf(const toolkit::Control* control) const {
  for (const auto& view : views_) {
    if (&view->Model() == control) {
      return view->Handle();
    }
  }
  return nullptr;
}

ControlWindow* FormWindow::ViewWithId(int id) const {
  return id >= 1 && id <= static_cast<int>(views_.size()) ? views_[id - 1].get() : nullptr;
}

toolkit::Control* FormWindow::ControlOf(HWND hwnd) const {
  const auto found = viewOf_.find(hwnd);
  return found == viewOf_.end() ? nullptr : &found->second->Model();
}

void FormWindow::Refresh() {
  const std::wstring wanted = Widen(form_.Caption());
  std::wstring caption(wanted.size() + 2, L'\0');
  caption.resize(static_cast<std::size_t>(
      ::GetWindowTextW(Handle(), caption.data(), static_cast<int>(caption.size()))));
  if (caption != wanted) {
    ::SetWindowTextW(Handle(), wanted.c_str());
  }
  ::EnableWindow(Handle(), form_.Enabled() ? TRUE : FALSE);
  if (form_.PositionSet() && !writingModel_) {
    RECT now{};
    ::GetWindowRect(Handle(), &now);
    const int x = Scaled(form_.Left(), dpi_);
    const int y = Scaled(form_.Top(), dpi_);
    if (now.left != x || now.top != y) {
      placed_ = true;
      ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ShowTabStops();
  const bool shown = ::IsWindowVisible(Handle()) != 0;
  if (form_.Visible() && !shown) {
    Place();
    ::ShowWindow(Handle(), SW_SHOW);
  } else if (!form_.Visible() && shown) {
    ::ShowWindow(Handle(), SW_HIDE);
  }
  ShowActiveControl();
}

// The first showing centres a form that asks for it; afterwards it stays where it was left.
void FormWindow::Place() {
  if (placed_) {
    return;
  }
  placed_ = true;
  if (form_.position != toolkit::FormPosition::kScreenCenter) {
    return;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT outer{};
  ::GetWindowRect(Handle(), &outer);
  const RECT& work = monitor.rcWork;
  const int x = work.left + (work.right - work.left - (outer.right - outer.left)) / 2;
  const int y = work.top + (work.bottom - work.top - (outer.bottom - outer.top)) / 2;
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ShowActiveControl() {
  HWND active = ViewOf(form_.ActiveControl());
  if (active != nullptr && !writingModel_ && ::GetActiveWindow() == Handle() &&
      ::GetFocus() != active) {
    ::SetFocus(active);
  }
}

void FormWindow::FollowFocus(toolkit::Control& control) {
  if (writingModel_) {
    return;
  }
  writingModel_ = true;
  app_.Dispatch([this, &control] { form_.SetActiveControl(&control); });
  writingModel_ = false;
}

// The position the user gives the window, and the frame the system adds, go back to the form,
// which saves them.
void FormWindow::WritePosition() {
  MeasureFrame();
  RECT outer{};
  ::GetWindowRect(Handle(), &outer);
  writingModel_ = true;
  app_.Dispatch([this, outer] {
    form_.SetLeft(Unscaled(outer.left, dpi_));
    form_.SetTop(Unscaled(outer.top, dpi_));
  });
  writingModel_ = false;
}

// The frame is the system's: the form's outer size, which places it, is asked of the window.
void FormWindow::MeasureFrame() {
  RECT outer{};
  RECT client{};
  ::GetWindowRect(Handle(), &outer);
  ::GetClientRect(Handle(), &client);
  form_.frameWidth = Unscaled(outer.right - outer.left - client.right, dpi_);
  form_.frameHeight = Unscaled(outer.bottom - outer.top - client.bottom, dpi_);
}

void FormWindow::RunModal() {
  modal_ = true;
  {
    const ModalScope scope(Handle());
    Place();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ShowActiveControl();
    PumpMessages([this] { return form_.ModalResult() != toolkit::mr::kNone; });
  }
  modal_ = false;
}

bool FormWindow::CloseByUser() {
  bool canClose = false;
  app_.Dispatch([this, &canClose] { canClose = form_.CloseQuery(); });
  if (!canClose) {
    return false;
  }
  app_.Dispatch([this] { form_.Hide(); });
  if (onClosed) {
    onClosed();
  }
  return true;
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (ControlWindow* view = ViewWithId(LOWORD(wParam)); view != nullptr && lParam != 0) {
        if (view->Command(HIWORD(wParam))) {
          FollowFocus(view->Model());
        }
        ShowTabStops();
      }
      return 0;
    case WM_DRAWITEM:
      if (ControlWindow* view = ViewWithId(static_cast<int>(wParam))) {
        view->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      }
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      ControlWindow* view = ViewWithId(static_cast<int>(header.idFrom));
      return view != nullptr ? view->Notify(header) : 0;
    }
    case WM_CLOSE:
      if (modal_) {
        app_.Dispatch([this] { form_.SetModalResult(toolkit::kCloseBoxResult); });
      } else {
        CloseByUser();
      }
      return 0;
    case WM_MOVE:
      if (::IsWindowVisible(Handle())) {
        WritePosition();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        ShowActiveControl();
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      if (scaling_ == Scaling::kNone) {
        // Only the frame follows the new density; the client area keeps its pixels.
        const SIZE outer = OuterSize(form_, dpi_, HIWORD(wParam));
        ::SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        MeasureFrame();
        return 0;
      }
      dpi_ = HIWORD(wParam);
      LayOut(dpi_);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_HELP:
      return TRUE;  // F1 is the form's own business, see KeyDown
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool FormWindow::PreTranslate(MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return KeyDown(message);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      KeyUp(message);
      return false;
    case WM_CHAR:
      return CharTyped(message);
    default:
      return false;
  }
}

bool FormWindow::KeyDown(MSG& message) {
  const WPARAM virtualKey = message.wParam;
  keysDown_.insert(virtualKey);
  toolkit::Control* control = ControlOf(message.hwnd);
  if (virtualKey == VK_F1) {
    ShowHelpFor(control != nullptr ? *control : form_);
    return true;
  }
  if (control != nullptr && control->Kind() == toolkit::ControlKind::kRadioButton &&
      (virtualKey == VK_UP || virtualKey == VK_DOWN || virtualKey == VK_LEFT ||
       virtualKey == VK_RIGHT)) {
    MoveChoice(*control, virtualKey == VK_DOWN || virtualKey == VK_RIGHT);
    return true;
  }
  const int key = static_cast<int>(virtualKey);
  const toolkit::ShiftState shift = ShiftNow();
  if ((control == nullptr || form_.keyPreview) && form_.OnKeyDown) {
    app_.Dispatch([this, key, shift] { form_.OnKeyDown(key, shift); });
  }
  if (control != nullptr && control->OnKeyDown) {
    app_.Dispatch([control, key, shift] { control->OnKeyDown(key, shift); });
  }
  if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) {
    return false;
  }
  // An edit box's key-press handler hears Enter and Escape first, as typed characters.
  if (control != nullptr && control->Kind() == toolkit::ControlKind::kEditBox &&
      static_cast<toolkit::EditBox*>(control)->OnKeyPress) {
    ::TranslateMessage(&message);
    return true;
  }
  PressDialogButton(key);
  return true;
}

// An arrow key in a radio group checks the next button of the group, as the user's click would,
// and gives it the focus.
void FormWindow::MoveChoice(toolkit::Control& radio, bool forward) {
  const std::vector<const toolkit::Control*> chain = toolkit::TabChain(form_);
  const auto at = std::find(chain.begin(), chain.end(), &radio);
  if (at == chain.end()) {
    return;
  }
  const toolkit::Control* target =
      toolkit::ArrowTarget(chain, static_cast<std::size_t>(at - chain.begin()), forward,
                           [this](const toolkit::Control& control) {
                             HWND view = ViewOf(&control);
                             return ::IsWindowEnabled(view) && ::IsWindowVisible(view);
                           });
  auto* choice = static_cast<toolkit::RadioButton*>(const_cast<toolkit::Control*>(target));
  app_.Dispatch([choice] { choice->SetChecked(true); });
  ::SetFocus(ViewOf(target));
  ShowTabStops();
}

void FormWindow::KeyUp(const MSG& message) {
  if (keysDown_.erase(message.wParam) == 0) {
    return;  // pressed in another window
  }
  toolkit::Control* control = ControlOf(message.hwnd);
  const int key = static_cast<int>(message.wParam);
  const toolkit::ShiftState shift = ShiftNow();
  if ((control == nullptr || form_.keyPreview) && form_.OnKeyUp) {
    app_.Dispatch([this, key, shift] { form_.OnKeyUp(key, shift); });
  }
  if (control != nullptr && control->OnKeyUp) {
    app_.Dispatch([control, key, shift] { control->OnKeyUp(key, shift); });
  }
}

bool FormWindow::CharTyped(MSG& message) {
  toolkit::Control* control = ControlOf(message.hwnd);
  if (control == nullptr || control->Kind() != toolkit::ControlKind::kEditBox) {
    return false;
  }
  auto& edit = static_cast<toolkit::EditBox&>(*control);
  const WPARAM code = message.wParam;
  const bool typable = code == '\b' || code == toolkit::vk::kReturn ||
                       code == toolkit::vk::kEscape || (code >= 0x20 && code < 0x7F);
  if (!edit.OnKeyPress || !typable) {
    return false;
  }
  char typed = static_cast<char>(code);
  app_.Dispatch([&edit, &typed] { edit.OnKeyPress(typed); });
  if (typed == 0) {
    return true;  // swallowed by the handler
  }
  if (typed == toolkit::vk::kReturn || typed == toolkit::vk::kEscape) {
    PressDialogButton(typed);
    return true;
  }
  message.wParam = static_cast<unsigned char>(typed);
  return false;
}

// Enter presses the focused button, or else the default one; Escape the cancel button.
bool FormWindow::PressDialogButton(int virtualKey) {
  toolkit::BitButton* button = toolkit::DialogButtonFor(
      virtualKey, ControlOf(::GetFocus()), controls_, [this](const toolkit::Control& control) {
        HWND view = ViewOf(&control);
        return ::IsWindowEnabled(view) && ::IsWindowVisible(view);
      });
  if (button == nullptr) {
    return false;
  }
  app_.Dispatch([button] { button->Click(); });
  return true;
}

void FormWindow::ShowHelpFor(const toolkit::Control& control) {
  const int context = control.EffectiveHelpContext();
  if (context != 0) {
    app_.Dispatch([this, context] { app_.ShowHelp(context); });
  }
}

}  // namespace fondex::win32ui
