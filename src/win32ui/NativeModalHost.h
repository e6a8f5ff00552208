#pragma once

#include <functional>
#include <map>

#include "toolkit/ModalHost.h"

namespace fondex::win32ui {

class FormWindow;

// The program's modal windows on screen: its own message boxes, the system's file-open dialog,
// and the windows of forms shown modally. Each call runs a nested message loop, in which timers
// keep ticking.
class NativeModalHost : public toolkit::ModalHost {
 public:
  int ShowMessageBox(const toolkit::MessageBoxRequest& request) override;
  std::optional<std::string> RunOpenDialog(const toolkit::OpenDialogRequest& request) override;
  void RunModal(toolkit::Form& form) override;

  // The window that RunModal shows for a form; a form must have one before it is shown modally.
  void AddWindow(FormWindow& window);
  void RemoveWindow(const FormWindow& window);

  // Opens a help context: what a message box's Help button does.
  void SetHelp(std::function<void(int)> showHelp) { showHelp_ = std::move(showHelp); }

 private:
  std::map<const toolkit::Form*, FormWindow*> windows_;
  std::function<void(int)> showHelp_;
};

}  // namespace fondex::win32ui
