#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "platform/System.h"
#include "toolkit/ModalHost.h"
#include "toolkit/Signal.h"

namespace fondex::toolkit {

class Form;

// A queued window message, as the message hook sees it.
struct Message {
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::intptr_t result = 0;
};

constexpr unsigned kWmDropFiles = 0x0233;

// The application object: title, help file, the one entrance of every outside event, and the
// modal windows.
class Application {
 public:
  Application(ModalHost& host, platform::HelpViewer& help) : host_(host), help_(help) {}

  std::string title;
  std::string helpFile;

  // Runs an event that enters the program from outside (user event, tick, drop, notification).
  // Any exception it raises is shown in the general error report; none escapes.
  void Dispatch(const std::function<void()>& event) noexcept;

  // The general error report: the title, an error icon, OK, and the message followed by ".".
  void ShowException(const std::exception& error) noexcept;

  int ShowMessageBox(const MessageBoxRequest& request);
  std::optional<std::string> RunOpenDialog(const OpenDialogRequest& request);
  // Shows the form modally (OnShow runs), hides it again, and gives its modal result.
  int ShowModal(Form& form);

  // True while a message box or file dialog of the program is open.
  bool BoxOpen() const { return openBoxes_ > 0; }
  // True while any modal window of the program is open: a box, a file dialog or a modal form.
  bool ModalOpen() const { return BoxOpen() || modalForms_ > 0; }

  // While the session ends nothing may wait for the user: a message box is not shown, its text
  // goes to the standard error output and it answers as its close button would; a file dialog
  // answers nothing and a modal form is not shown.
  void SetSessionEnding(bool ending) { sessionEnding_ = ending; }
  bool SessionEnding() const { return sessionEnding_; }

  void ShowHelp(int context);

  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }
  Signal<> MinimizedChanged;

  // The message hook: sees every queued message before it is dispatched.
  std::function<void(Message& message, bool& handled)> OnMessage;
  // A queued message for a window: the hook first, then the window unless handled.
  void DeliverQueued(Message& message, const std::function<void(Message&)>& window);

 private:
  ModalHost& host_;
  platform::HelpViewer& help_;
  int openBoxes_ = 0;
  int modalForms_ = 0;
  bool minimized_ = false;
  bool sessionEnding_ = false;
};

}  // namespace fondex::toolkit
