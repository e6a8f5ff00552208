#include "toolkit/Application.h"

#include <iostream>

#include "toolkit/Error.h"
#include "toolkit/Form.h"

namespace fondex::toolkit {

namespace {

// Counts a box as open for as long as it is shown, whichever way it ends.
class OpenBoxGuard {
 public:
  explicit OpenBoxGuard(int& count) : count_(count) { ++count_; }
  ~OpenBoxGuard() { --count_; }
  OpenBoxGuard(const OpenBoxGuard&) = delete;
  OpenBoxGuard& operator=(const OpenBoxGuard&) = delete;

 private:
  int& count_;
};

}  // namespace

void Application::Dispatch(const std::function<void()>& event) noexcept {
  try {
    event();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(Error("Erreur inattendue"));
  }
}

void Application::ShowException(const std::exception& error) noexcept {
  MessageBoxRequest request;
  request.title = title;
  request.kind = MessageKind::kError;
  request.text = std::string(error.what()) + ".";
  request.buttons = {MessageButton::kOK};
  request.defaultButton = MessageButton::kOK;
  request.cancelButton = MessageButton::kOK;
  try {
    ShowMessageBox(request);
  } catch (...) {
    // Nothing is left to report a failing report with.
  }
}

int Application::ShowMessageBox(const MessageBoxRequest& request) {
  if (sessionEnding_) {
    std::cerr << request.title << " : " << request.text << std::endl;
    return kCloseBoxResult;
  }
  OpenBoxGuard guard(openBoxes_);
  return host_.ShowMessageBox(request);
}

std::optional<std::string> Application::RunOpenDialog(const OpenDialogRequest& request) {
  if (sessionEnding_) {
    return std::nullopt;
  }
  OpenBoxGuard guard(openBoxes_);
  return host_.RunOpenDialog(request);
}

int Application::ShowModal(Form& form) {
  if (sessionEnding_) {
    return kCloseBoxResult;
  }
  form.SetModalResult(0);
  OpenBoxGuard guard(modalForms_);
  form.Show();
  try {
    host_.RunModal(form);
  } catch (...) {
    form.Hide();
    throw;
  }
  form.Hide();
  return form.ModalResult();
}

void Application::ShowHelp(int context) {
  help_.ShowHelp(helpFile, context);
}

void Application::Minimize() {
  if (!minimized_) {
    minimized_ = true;
    MinimizedChanged.Emit();
  }
}

void Application::Restore() {
  if (minimized_) {
    minimized_ = false;
    MinimizedChanged.Emit();
  }
}

void Application::DeliverQueued(Message& message, const std::function<void(Message&)>& window) {
  bool handled = false;
  if (OnMessage) {
    OnMessage(message, handled);
  }
  if (!handled && window) {
    window(message);
  }
}

}  // namespace fondex::toolkit
