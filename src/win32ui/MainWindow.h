#pragma once

#include <functional>

#include "win32ui/FormWindow.h"

namespace fondex::win32ui {

// The window of the form that ends the program, in the form's designed pixels at every density
// and placed in the screen's. It minimizes and restores with the application;
// files dropped on it become a WM_DROPFILES message, delivered through the application's message
// hook and then to windowHandler; the system's profile-change notification goes to
// profileChanged; the end of the session asks the form's close query first.
class MainWindow : public FormWindow {
 public:
  MainWindow(toolkit::Application& app, toolkit::Form& form,
             std::function<void(toolkit::Message&)> windowHandler,
             std::function<void()> profileChanged);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FollowMinimized();

  std::function<void(toolkit::Message&)> windowHandler_;
  std::function<void()> profileChanged_;
  toolkit::Binding minimized_;
};

}  // namespace fondex::win32ui
