#pragma once

#include <QFileDialog>
#include <QStringList>
#include <optional>
#include <string>

#include "platform/NativeNames.h"
#include "toolkit/ModalHost.h"

namespace fondex::qt {

// "Images bitmap (*.BMP)|*.bmp|Tous les fichiers (*.*)|*.*" as Qt's name filters. Each keeps its
// description and carries its patterns in a last pair of brackets, which the dialog hides; "*.*"
// means every file, with or without an extension.
QStringList QtNameFilters(const std::string& filter);

// A file-open dialog on the program's Windows-shaped paths, shown with the system's names. Names
// match their patterns whatever their case. With pathMustExist, a name whose directory does not
// exist is refused with a message; with fileMustExist, only an existing file is accepted.
class OpenFileDialog : public QFileDialog {
 public:
  OpenFileDialog(const toolkit::OpenDialogRequest& request, const platform::NativeNames& names);

  // Shows the dialog modally; the chosen file's full Windows-shaped path, nothing when cancelled.
  std::optional<std::string> Run();

 protected:
  void accept() override;

 private:
  void ShowFirst(const toolkit::OpenDialogRequest& request);

  const platform::NativeNames& names_;
  bool pathMustExist_;
};

}  // namespace fondex::qt
