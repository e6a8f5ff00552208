#include "win32ui/TimerWindow.h"

namespace fondex::win32ui {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

TimerWindow::TimerWindow(toolkit::Application& app, toolkit::Timer& timer)
    : app_(app), timer_(timer), changed_(timer.Changed, [this] { Follow(); }) {
  Create(L"", 0, 0, HWND_MESSAGE, SIZE{0, 0});
  Follow();
}

void TimerWindow::Follow() {
  if (timer_.Running()) {
    ::SetTimer(Handle(), kTimerId, static_cast<UINT>(timer_.Interval()), nullptr);
  } else {
    ::KillTimer(Handle(), kTimerId);
  }
}

LRESULT TimerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    app_.Dispatch([this] { timer_.Tick(); });
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace fondex::win32ui
