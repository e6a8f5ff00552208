#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Binding.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "win32ui/ControlWindows.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

// The window of a form: a fixed-size client area that holds a native control for every control
// at its designed place, scaled for the screen, and follows the form's caption, position,
// visibility and active control. Keys go first to the focused control's handlers (and the
// form's, with keyPreview); then Enter presses the focused button or the default one, Escape the
// cancel button; Tab walks the tab stops. F1 opens the help of the focused control.
class FormWindow : public Window {
 public:
  // A form laid out in its designed pixels whatever the screen's density, or scaled for it.
  enum class Scaling { kWithScreen, kNone };

  FormWindow(toolkit::Application& app, toolkit::Form& form, HWND owner,
             Scaling scaling = Scaling::kWithScreen);
  ~FormWindow() override;

  toolkit::Form& Model() const { return form_; }
  // The native control that renders a control of this form; nullptr for none.
  HWND ViewOf(const toolkit::Control* control) const;

  // Runs a nested message loop, the program's other windows disabled, until the form's modal
  // result becomes non-zero; the close box sets it to 2.
  void RunModal();

  // Runs once the close query allowed a close by the user and the form was hidden.
  std::function<void()> onClosed;

  bool PreTranslate(MSG& message) override;

 protected:
  toolkit::Application& App() const { return app_; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The user closes the window; true when it closed.
  bool CloseByUser();

 private:
  void BuildViews(toolkit::Control& parent);
  void ShowTabStops();
  void LayOut(UINT dpi);
  void Refresh();
  void BringToFront();
  void Place();
  void ShowActiveControl();
  void FollowFocus(toolkit::Control& control);
  void WritePosition();
  void MeasureFrame();
  ControlWindow* ViewWithId(int id) const;
  toolkit::Control* ControlOf(HWND hwnd) const;

  bool KeyDown(MSG& message);
  void KeyUp(const MSG& message);
  void MoveChoice(toolkit::Control& radio, bool forward);
  bool CharTyped(MSG& message);
  bool PressDialogButton(int virtualKey);
  void ShowHelpFor(const toolkit::Control& control);

  toolkit::Application& app_;
  toolkit::Form& form_;
  Scaling scaling_;
  UINT dpi_;                                           // the density the form is laid out for
  std::vector<std::unique_ptr<ControlWindow>> views_;  // in construction order; id = index + 1
  std::vector<toolkit::Control*> controls_;            // the same order
  std::map<HWND, ControlWindow*> viewOf_;
  // Keys pressed while this window had the keyboard: only their release is a key-up here, so
  // the Enter that closed a message box does not reach a list of this window as well.
  std::set<WPARAM> keysDown_;
  HWND tooltips_ = nullptr;
  bool modal_ = false;
  bool placed_ = false;
  bool writingModel_ = false;
  toolkit::Binding changed_;
  toolkit::Binding broughtToFront_;
  toolkit::Binding closeRequested_;
};

// Disables the program's other windows while a modal window runs, then enables them again and
// gives the keyboard back to the window that had it before.
class ModalScope {
 public:
  explicit ModalScope(HWND modal);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
  HWND active_;
};

}  // namespace fondex::win32ui
