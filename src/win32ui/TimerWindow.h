#pragma once

#include "toolkit/Application.h"
#include "toolkit/Binding.h"
#include "toolkit/Timer.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

// The system's timer behind a timer model: it ticks while the model runs, and every change of
// the model's state restarts the count. Its messages come through every message loop, the
// modal ones included.
class TimerWindow : public Window {
 public:
  TimerWindow(toolkit::Application& app, toolkit::Timer& timer);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Follow();

  toolkit::Application& app_;
  toolkit::Timer& timer_;
  toolkit::Binding changed_;
};

}  // namespace fondex::win32ui
