#pragma once

#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "win32ui/ControlWindows.h"

namespace fondex::win32ui {

// The spin button: an up half over a down half, drawn by the program. A press on a half is one
// click; held, the half clicks again after the model's repeat delay and then at each repeat
// interval, on the program's own timer, until it is released. It takes no keyboard focus.
class SpinWindow : public ControlWindow {
 public:
  SpinWindow(toolkit::Application& app, toolkit::SpinButton& model, HWND form, int id);
  ~SpinWindow() override;

 private:
  enum class Half { kNone, kUp, kDown };

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR subclass, DWORD_PTR self);
  void Press(LPARAM point);
  void Release();
  void Repeat();
  void Click(Half half);
  void Paint();

  toolkit::Application& app_;
  toolkit::SpinButton& spin_;
  Half held_ = Half::kNone;
  bool repeating_ = false;
};

}  // namespace fondex::win32ui
