#include "win32ui/MainWindow.h"

namespace fondex::win32ui {

MainWindow::MainWindow(toolkit::Application& app, toolkit::Form& form,
                       std::function<void(toolkit::Message&)> windowHandler,
                       std::function<void()> profileChanged)
    : FormWindow(app, form, nullptr, Scaling::kNone),
      windowHandler_(std::move(windowHandler)),
      profileChanged_(std::move(profileChanged)),
      minimized_(app.MinimizedChanged, [this] { FollowMinimized(); }) {
  onClosed = [] { ::PostQuitMessage(0); };
}

void MainWindow::FollowMinimized() {
  const bool iconic = ::IsIconic(Handle()) != 0;
  if (App().Minimized() != iconic) {
    ::ShowWindow(Handle(), App().Minimized() ? SW_MINIMIZE : SW_RESTORE);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      // The user minimizes or restores the window through the system.
      if (wParam == SIZE_MINIMIZED && !App().Minimized()) {
        App().Dispatch([this] { App().Minimize(); });
      } else if (wParam == SIZE_RESTORED && App().Minimized()) {
        App().Dispatch([this] { App().Restore(); });
      }
      return 0;
    case WM_DROPFILES: {
      toolkit::Message drop{message, wParam, lParam, 0};
      App().Dispatch([this, &drop] { App().DeliverQueued(drop, windowHandler_); });
      return drop.result;
    }
    case WM_SETTINGCHANGE:
      App().Dispatch(profileChanged_);
      return 0;
    case WM_QUERYENDSESSION: {
      bool mayEnd = false;
      App().Dispatch([this, &mayEnd] { mayEnd = Model().CloseQuery(); });
      return mayEnd ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
      if (wParam != 0) {
        ::PostQuitMessage(0);
      }
      return 0;
    default:
      return FormWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace fondex::win32ui
