#include "win32ui/Frontend.h"

#include "toolkit/Error.h"
#include "win32ui/MainWindow.h"
#include "win32ui/NotifyIconWindow.h"
#include "win32ui/TimerWindow.h"

namespace fondex::win32ui {
namespace {

bool InitCommonControlsOnce() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  return ::InitCommonControlsEx(&controls) != 0;
}

}  // namespace

Frontend::Frontend() : app_(host_, help_) {
  static const bool initialized = InitCommonControlsOnce();
  (void)initialized;
  host_.SetHelp(
      [this](int context) { app_.Dispatch([this, context] { app_.ShowHelp(context); }); });
}

Frontend::~Frontend() {
  ReleaseWindows();
}

void Frontend::SetMainForm(toolkit::Form& form,
                           std::function<void(toolkit::Message&)> windowHandler,
                           std::function<void()> profileChanged) {
  auto window =
      std::make_unique<MainWindow>(app_, form, std::move(windowHandler), std::move(profileChanged));
  host_.AddWindow(*window);
  windows_.push_back(std::move(window));
  mainForm_ = &form;
}

void Frontend::AddForm(toolkit::Form& form) {
  HWND owner = windows_.empty() ? nullptr : windows_.front()->Handle();
  auto window = std::make_unique<FormWindow>(app_, form, owner);
  host_.AddWindow(*window);
  windows_.push_back(std::move(window));
}

void Frontend::AddTimer(toolkit::Timer& timer) {
  timers_.push_back(std::make_unique<TimerWindow>(app_, timer));
}

void Frontend::AddNotifyIcon(toolkit::NotifyIcon& icon) {
  notifyIcon_ = std::make_unique<NotifyIconWindow>(app_, icon);
}

void* Frontend::WindowOf(const void* form) const {
  for (const auto& window : windows_) {
    if (&window->Model() == form) {
      return window->Handle();
    }
  }
  return nullptr;
}

int Frontend::Run() {
  if (mainForm_ == nullptr) {
    throw Error("Pépin : pas de fenêtre principale");
  }
  app_.Dispatch([this] { mainForm_->Show(); });
  if (afterStart_) {
    app_.Dispatch(afterStart_);
  }
  int code = 0;
  PumpMessages([] { return false; });
  MSG quit{};
  if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    code = static_cast<int>(quit.wParam);
  }
  ReleaseWindows();
  return code;
}

void Frontend::ReleaseWindows() {
  timers_.clear();
  notifyIcon_.reset();
  for (const auto& window : windows_) {
    host_.RemoveWindow(*window);
  }
  // The owned windows go before the main window that owns them.
  while (!windows_.empty()) {
    windows_.pop_back();
  }
  mainForm_ = nullptr;
}

}  // namespace fondex::win32ui
