#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ModalHost.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

// A message box built exactly from a request, which the system's own box cannot always be (a
// single "&Yes" button, Escape that must not close it): the kind's system icon, the text
// drawn by the box in the font it is measured with and wrapped to at most half the screen's
// width (a long name breaks where it must), and the buttons in one centred row. Enter presses
// the focused button (the default one when the box opens), Escape the cancel button and nothing
// when there is none; the close box gives 2. WM_GETFONT gives the text's font. The Help button
// calls the help hook and leaves the box open.
class MessageBoxWindow : public Window {
 public:
  MessageBoxWindow(const toolkit::MessageBoxRequest& request, std::function<void(int)> showHelp);
  ~MessageBoxWindow() override;

  // Shows the box modally, centred on the screen, and gives the result.
  int Run();

  HWND Button(toolkit::MessageButton button) const;
  bool PreTranslate(MSG& message) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void LayOut();
  void Press(toolkit::MessageButton button);
  void Paint();

  toolkit::MessageBoxRequest request_;
  std::function<void(int)> showHelp_;
  std::vector<std::pair<toolkit::MessageButton, HWND>> buttons_;
  std::wstring text_;
  RECT textArea_{};
  HICON icon_ = nullptr;
  HFONT font_ = nullptr;
  POINT iconAt_{};
  int iconSide_ = 0;
  int result_ = toolkit::kCloseBoxResult;
  bool done_ = false;
};

}  // namespace fondex::win32ui
