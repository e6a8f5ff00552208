#pragma once

#include <functional>
#include <map>

#include "platform/NativeNames.h"
#include "toolkit/ModalHost.h"

namespace fondex::qt {

class FormView;

// The program's modal windows on screen: message boxes, the file-open dialog, and the views of
// forms shown modally. Each call runs a nested event loop, in which timers keep ticking.
class QtModalHost : public toolkit::ModalHost {
 public:
  explicit QtModalHost(const platform::NativeNames& names) : names_(names) {}

  int ShowMessageBox(const toolkit::MessageBoxRequest& request) override;
  std::optional<std::string> RunOpenDialog(const toolkit::OpenDialogRequest& request) override;
  void RunModal(toolkit::Form& form) override;

  // The view that RunModal shows for a form; a form must have one before it is shown modally.
  void AddView(FormView& view);
  void RemoveView(const FormView& view);

  // Opens a help context: what a message box's Help button does.
  void SetHelp(std::function<void(int)> showHelp) { showHelp_ = std::move(showHelp); }

 private:
  const platform::NativeNames& names_;
  std::map<const toolkit::Form*, FormView*> views_;
  std::function<void(int)> showHelp_;
};

}  // namespace fondex::qt
