#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/NotifyIcon.h"
#include "toolkit/Timer.h"
#include "win32ui/HelpWindow.h"
#include "win32ui/NativeModalHost.h"

namespace fondex::win32ui {

class FormWindow;
class NotifyIconWindow;
class TimerWindow;

// Everything the program needs from the system's window manager, in the order main() uses it:
//
//   win32ui::Frontend frontend;                        // common controls, help, modal host
//   toolkit::Application& app = frontend.App();        // title, help file, ...
//   ... build the forms ...
//   frontend.SetMainForm(mainForm, [&](toolkit::Message& m) { mainForm.WMDropFiles(m); },
//                        [&] { desktop.ProfileChanged(); });
//   frontend.AddForm(aboutBox);  frontend.AddForm(optionsDialog);
//   frontend.AddTimer(mainForm.ChangeTimer);
//   frontend.AddNotifyIcon(mainForm.IconeNotif);
//   int code = frontend.Run();                          // the windows are gone when it returns
//   ... destroy the forms ...
//
// The windows hold on to the forms and the timers until Run returns: those must outlive it.
class Frontend {
 public:
  Frontend();
  ~Frontend();
  Frontend(const Frontend&) = delete;
  Frontend& operator=(const Frontend&) = delete;

  toolkit::Application& App() { return app_; }
  platform::HelpViewer& Help() { return help_; }

  // The window of the form that ends the program (see MainWindow).
  void SetMainForm(toolkit::Form& form, std::function<void(toolkit::Message&)> windowHandler,
                   std::function<void()> profileChanged);
  // The window of another form, owned by the main window, shown when the form is shown.
  void AddForm(toolkit::Form& form);
  void AddTimer(toolkit::Timer& timer);
  // Shows the icon in the task bar's notification area while the model says so.
  void AddNotifyIcon(toolkit::NotifyIcon& icon);

  // Runs once the main form is shown, before the messages of the user.
  void AfterStart(std::function<void()> event) { afterStart_ = std::move(event); }

  // The system window of a form; nullptr for a form without one.
  void* WindowOf(const void* form) const;

  // Shows the main form and runs the message loop until its window closes; then releases every
  // window. The exit code of the loop.
  int Run();

 private:
  void ReleaseWindows();

  HelpWindow help_;
  NativeModalHost host_;
  toolkit::Application app_;
  toolkit::Form* mainForm_ = nullptr;
  std::function<void()> afterStart_;
  std::vector<std::unique_ptr<FormWindow>> windows_;
  std::vector<std::unique_ptr<TimerWindow>> timers_;
  std::unique_ptr<NotifyIconWindow> notifyIcon_;
};

}  // namespace fondex::win32ui
