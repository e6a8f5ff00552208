#pragma once

#include "toolkit/Application.h"
#include "toolkit/Binding.h"
#include "toolkit/NotifyIcon.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

// The program's icon in the task bar's notification area (Shell_NotifyIconW), behind the icon
// model: shown while the model says so, with its tooltip, and its menu on a right click. The
// icon comes back when Explorer starts again (TaskbarCreated). The window is hidden and
// receives the icon's messages and the menu's commands.
class NotifyIconWindow : public Window {
 public:
  // The message the icon sends its window, the mouse message in lParam; a menu line's command
  // is kFirstCommand plus its index.
  static constexpr UINT kIconMessage = WM_APP + 1;
  static constexpr UINT kFirstCommand = 100;
  static constexpr const wchar_t* kCaption = L"Fondex : zone de notification";

  NotifyIconWindow(toolkit::Application& app, toolkit::NotifyIcon& icon);
  ~NotifyIconWindow() override;
  NotifyIconWindow(const NotifyIconWindow&) = delete;
  NotifyIconWindow& operator=(const NotifyIconWindow&) = delete;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Follow();
  NOTIFYICONDATAW Data() const;
  void ShowMenu();

  toolkit::Application& app_;
  toolkit::NotifyIcon& icon_;
  const UINT taskbarCreated_;
  HICON picture_;
  bool added_ = false;
  toolkit::Binding changed_;
};

}  // namespace fondex::win32ui
