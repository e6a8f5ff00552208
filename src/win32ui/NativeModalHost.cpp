#include "win32ui/NativeModalHost.h"

#include "toolkit/Error.h"
#include "win32ui/FormWindow.h"
#include "win32ui/MessageBoxWindow.h"
#include "win32ui/OpenFileDialog.h"

namespace fondex::win32ui {

int NativeModalHost::ShowMessageBox(const toolkit::MessageBoxRequest& request) {
  MessageBoxWindow box(request, showHelp_);
  return box.Run();
}

std::optional<std::string> NativeModalHost::RunOpenDialog(
    const toolkit::OpenDialogRequest& request) {
  return RunOpenFileDialog(request);
}

void NativeModalHost::RunModal(toolkit::Form& form) {
  const auto found = windows_.find(&form);
  if (found == windows_.end()) {
    throw Error("Pépin : la fenêtre " + form.Name() + " n'a pas de vue");
  }
  found->second->RunModal();
}

void NativeModalHost::AddWindow(FormWindow& window) {
  windows_[&window.Model()] = &window;
}

void NativeModalHost::RemoveWindow(const FormWindow& window) {
  windows_.erase(&window.Model());
}

}  // namespace fondex::win32ui
