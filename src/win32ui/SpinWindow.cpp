#include "win32ui/SpinWindow.h"

namespace fondex::win32ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kRepeatTimer = 1;

}  // namespace

SpinWindow::SpinWindow(toolkit::Application& app, toolkit::SpinButton& model, HWND form, int id)
    : ControlWindow(model, CreateChild(L"STATIC", "", SS_NOTIFY, form, id, 0)),
      app_(app),
      spin_(model) {
  ::SetWindowSubclass(Handle(), &SpinWindow::Procedure, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
  Refresh();
}

SpinWindow::~SpinWindow() {
  ::KillTimer(Handle(), kRepeatTimer);
  ::RemoveWindowSubclass(Handle(), &SpinWindow::Procedure, kSubclassId);
}

LRESULT CALLBACK SpinWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR /*subclass*/, DWORD_PTR self) {
  auto& spin = *reinterpret_cast<SpinWindow*>(self);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      spin.Press(lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      spin.Release();
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        spin.Repeat();
        return 0;
      }
      break;
    case WM_PAINT:
      spin.Paint();
      return 0;
    case WM_ENABLE:
      spin.Release();
      ::InvalidateRect(hwnd, nullptr, FALSE);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void SpinWindow::Press(LPARAM point) {
  if (!::IsWindowEnabled(Handle())) {
    return;
  }
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const int y = static_cast<short>(HIWORD(point));
  held_ = y < client.bottom / 2 ? Half::kUp : Half::kDown;
  repeating_ = false;
  ::SetCapture(Handle());
  ::SetTimer(Handle(), kRepeatTimer, static_cast<UINT>(spin_.repeatDelayMs), nullptr);
  ::InvalidateRect(Handle(), nullptr, FALSE);
  Click(held_);
}

void SpinWindow::Release() {
  if (held_ == Half::kNone) {
    return;
  }
  held_ = Half::kNone;
  ::KillTimer(Handle(), kRepeatTimer);
  if (::GetCapture() == Handle()) {
    ::ReleaseCapture();
  }
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void SpinWindow::Repeat() {
  if (held_ == Half::kNone) {
    ::KillTimer(Handle(), kRepeatTimer);
    return;
  }
  if (!repeating_) {
    repeating_ = true;
    ::SetTimer(Handle(), kRepeatTimer, static_cast<UINT>(spin_.repeatIntervalMs), nullptr);
  }
  Click(held_);
}

void SpinWindow::Click(Half half) {
  const std::function<void()>& handler = half == Half::kUp ? spin_.OnUpClick : spin_.OnDownClick;
  if (handler) {
    app_.Dispatch(handler);
  }
}

void SpinWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const bool disabled = !::IsWindowEnabled(Handle());
  const RECT halves[] = {{0, 0, client.right, client.bottom / 2},
                         {0, client.bottom / 2, client.right, client.bottom}};
  HTHEME theme = ::OpenThemeData(Handle(), L"SPIN");
  for (int i = 0; i < 2; ++i) {
    const bool pushed = held_ == (i == 0 ? Half::kUp : Half::kDown);
    RECT half = halves[i];
    if (theme != nullptr) {
      const int state = disabled ? UPS_DISABLED : pushed ? UPS_PRESSED : UPS_NORMAL;
      ::DrawThemeBackground(theme, dc, i == 0 ? SPNP_UP : SPNP_DOWN, state, &half, nullptr);
    } else {
      ::DrawFrameControl(dc, &half, DFC_SCROLL,
                         (i == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (pushed ? DFCS_PUSHED : 0U) |
                             (disabled ? DFCS_INACTIVE : 0U));
    }
  }
  if (theme != nullptr) {
    ::CloseThemeData(theme);
  }
  ::EndPaint(Handle(), &paint);
}

}  // namespace fondex::win32ui
