#pragma once

#include <QTranslator>
#include <functional>
#include <memory>
#include <vector>

#include "platform/DesktopWallpaper.h"
#include "platform/NativeNames.h"
#include "platform/ProgramInstance.h"
#include "platform/SessionEnd.h"
#include "qt/HelpViewer.h"
#include "qt/QtModalHost.h"
#include "qt/QtServices.h"
#include "qt/WaitingLoop.h"
#include "toolkit/Application.h"
#include "toolkit/NotifyIcon.h"
#include "toolkit/Timer.h"

class QApplication;
class QSocketNotifier;

namespace fondex::qt {

class FormView;
class MainWindowView;
class NotifyIconView;
class TimerView;

// Everything the program needs from Qt, in the order main() uses it:
//
//   qt::Frontend frontend(argc, argv, nativeNames);   // Qt, its French texts, the services
//   frontend.EndSessionOn(sessionEndRequests);
//   toolkit::Application& app = frontend.App();       // title, help file, ...
//   platform::Platform platform{..., frontend.Screen(), frontend.Help(), frontend.Drops()};
//   ... build the forms ...
//   frontend.SetMainForm(mainForm, [&](toolkit::Message& m) { mainForm.WMDropFiles(m); });
//   frontend.AddForm(aboutBox);  frontend.AddForm(optionsDialog);
//   frontend.AddTimer(mainForm.ChangeTimer);
//   frontend.AddNotifyIcon(mainForm.IconeNotif);
//   frontend.WatchOutsideChanges(outsideChanges);
//   frontend.ListenToLaterStarts(instance, [&](const std::string& m) { ... });
//   frontend.AfterStart([&] { ... });                  // the command of the program's own start
//   int code = frontend.Run();                         // the views are gone when it returns
//   ... destroy the forms ...
//
// The views hold on to the forms, the timers and the change source until Run returns: those
// must outlive it.
class Frontend {
 public:
  // Creates the QApplication (unless one exists), installs Qt's own French translations and the
  // program's icon, and builds the application object on the Qt modal host and help viewer.
  Frontend(int& argc, char** argv, const platform::NativeNames& names);
  ~Frontend();
  Frontend(const Frontend&) = delete;
  Frontend& operator=(const Frontend&) = delete;

  toolkit::Application& App() { return app_; }
  platform::Screen& Screen() { return screen_; }
  platform::HelpViewer& Help() { return help_; }
  platform::ShellDrop& Drops() { return drops_; }

  // The window of the form that ends the program: closing it (or the end of the session) runs
  // the form's close query and is refused when the query refuses; it minimizes and restores
  // with the application; files dropped on it become a kWmDropFiles message, delivered through
  // the application's message hook and then to windowHandler.
  void SetMainForm(toolkit::Form& form, std::function<void(toolkit::Message&)> windowHandler);
  // The window of another form, shown when the form is shown (modally through App().ShowModal).
  void AddForm(toolkit::Form& form);
  // Makes the timer tick while it is enabled with an interval above 0.
  void AddTimer(toolkit::Timer& timer);
  // Shows the icon in the desktop's notification area while the model says so.
  void AddNotifyIcon(toolkit::NotifyIcon& icon);
  // Lets the source deliver other programs' changes whenever its descriptor is readable.
  void WatchOutsideChanges(platform::OutsideChangeSource& source);
  // A request ends the session, whatever is open: boxes and dialogs close as by their close
  // button and no new one waits for the user, the event loop ends, and Run then runs the main
  // form's close query as at a log-off. The requests must outlive the front end.
  void EndSessionOn(platform::SessionEndRequests& requests);
  // Hands every message of a later start of the program to the handler, as an outside event.
  void ListenToLaterStarts(platform::ProgramInstance& instance,
                           std::function<void(const std::string&)> handler);
  // Runs the event as an outside event once the event loop runs and the main form shows.
  void AfterStart(std::function<void()> event);
  // For waits on other programs: one turn of the event loop in which the windows paint and
  // nothing of the program runs; a close request is honoured once the program is free again.
  std::function<void()> WaitingTurn() {
    return [this] { TurnWhileWaiting(); };
  }

  // Shows the main form and runs the event loop until its window closes or the session ends;
  // then releases every view. The exit code of the event loop.
  int Run();

 private:
  bool MainFormMayClose();
  // One turn of the waiting loop with the program's own descriptors set aside: Qt's GLib event
  // dispatcher does not leave socket notifiers out when asked to.
  void TurnWhileWaiting();
  void EndSession();
  // A notifier that dispatches onReadable whenever the descriptor is readable.
  std::unique_ptr<QSocketNotifier> Watch(int descriptor, std::function<void()> onReadable);
  void ReleaseViews();

  std::unique_ptr<QApplication> ownApplication_;
  QTranslator qtTranslations_;
  const platform::NativeNames& names_;
  QtScreen screen_;
  QtHelpViewer help_;
  QtShellDrop drops_;
  QtModalHost host_;
  toolkit::Application app_;
  toolkit::Form* mainForm_ = nullptr;
  std::vector<std::unique_ptr<FormView>> views_;
  std::vector<std::unique_ptr<TimerView>> timers_;
  std::unique_ptr<NotifyIconView> notifyIcon_;
  // The main window closed through its close query; otherwise the session ends with it open
  // (or hidden into the notification area).
  bool mainFormClosed_ = false;
  std::unique_ptr<QSocketNotifier> outsideChanges_;
  std::unique_ptr<QSocketNotifier> sessionEnd_;
  bool sessionEndRequested_ = false;
  bool closeQueryAnswered_ = false;
  std::unique_ptr<QSocketNotifier> laterStarts_;
  WaitingLoop waiting_{app_};
};

}  // namespace fondex::qt
