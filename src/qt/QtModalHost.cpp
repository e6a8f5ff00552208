#include "qt/QtModalHost.h"

#include "qt/FormView.h"
#include "qt/MessageBoxDialog.h"
#include "qt/OpenFileDialog.h"
#include "toolkit/Error.h"

namespace fondex::qt {

int QtModalHost::ShowMessageBox(const toolkit::MessageBoxRequest& request) {
  MessageBoxDialog box(request, showHelp_);
  return box.Run();
}

std::optional<std::string> QtModalHost::RunOpenDialog(const toolkit::OpenDialogRequest& request) {
  OpenFileDialog dialog(request, names_);
  return dialog.Run();
}

void QtModalHost::RunModal(toolkit::Form& form) {
  const auto found = views_.find(&form);
  if (found == views_.end()) {
    throw Error("Pépin : la fenêtre " + form.Name() + " n'a pas de vue");
  }
  found->second->ExecModal();
}

void QtModalHost::AddView(FormView& view) {
  views_[&view.Model()] = &view;
}

void QtModalHost::RemoveView(const FormView& view) {
  views_.erase(&view.Model());
}

}  // namespace fondex::qt
