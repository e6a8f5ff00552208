#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <functional>
#include <vector>

#include "toolkit/ModalHost.h"

namespace fondex::qt {

// A message box built exactly from a request: the kind's icon, the text word-wrapped to at most
// half the screen's width, and the buttons in one centred row. Enter presses the focused button
// (the default one when the box opens), Escape the cancel button and nothing when there is none;
// the close box gives 2. The Help button calls the help hook and leaves the box open.
class MessageBoxDialog : public QDialog {
 public:
  MessageBoxDialog(const toolkit::MessageBoxRequest& request, std::function<void(int)> showHelp);

  // Shows the box modally, centred on the screen, and gives the result.
  int Run();

  QPushButton* Button(toolkit::MessageButton button) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AddButtons(QHBoxLayout& line);
  void Press(toolkit::MessageButton button);

  toolkit::MessageBoxRequest request_;
  std::function<void(int)> showHelp_;
  std::vector<std::pair<toolkit::MessageButton, QPushButton*>> buttons_;
  int result_ = toolkit::kCloseBoxResult;
};

}  // namespace fondex::qt
