#pragma once

#include <string>

#include "platform/System.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

// A help window that shows one section of the help file; a missing file or section is said in
// the window. It opens beside the window that was active, stays usable while a modal window of
// the program is open, and closes on Escape.
class HelpWindow : public Window, public platform::HelpViewer {
 public:
  HelpWindow();

  // True when the context's section was found and shown.
  bool ShowHelp(const std::string& helpFile, int context) override;

  // The text shown, as the window holds it.
  std::wstring Text() const;

  bool PreTranslate(MSG& message) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Show(const std::string& title, const std::string& text);
  void PlaceBeside(HWND helped);
  void Close();

  HWND text_ = nullptr;
  HWND helped_ = nullptr;
};

}  // namespace fondex::win32ui
