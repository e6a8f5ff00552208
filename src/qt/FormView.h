#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "qt/Binding.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

class QEventLoop;

namespace fondex::qt {

// The window of a form: a fixed-size client area that holds a view of every control at its
// designed place, and follows the form's caption, position, visibility and active control.
// Keys go first to the focused control's handlers, then, unless a control took them, Enter
// presses the default button (or the focused one) and Escape the cancel button; the form's own
// key handler hears only keys pressed while the form itself has the focus (or every key, with
// keyPreview). F1 opens the help of the focused control.
class FormView : public QWidget {
 public:
  FormView(toolkit::Application& app, toolkit::Form& form);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  toolkit::Form& Model() const { return form_; }
  // The widget that renders a control of this form; nullptr for none.
  QWidget* ViewOf(const toolkit::Control* control) const;

  // Runs a nested event loop, with the window modal, until the form's modal result becomes
  // non-zero; the close box sets it to 2.
  void ExecModal();

  // Runs once the close query allowed a close by the user and the form was hidden.
  std::function<void()> onClosed;

 protected:
  toolkit::Application& App() const { return app_; }

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void BuildViews(toolkit::Control& parent, QWidget* parentWidget);
  void SetFocusPolicies();
  void SetTabOrder();
  void Refresh();
  void Place();
  void FollowScreen();
  void TellScreen();
  void ShowActiveControl();
  void FollowFocus(QWidget* focused);
  void WritePosition();
  void BringToFront();

  bool FocusInChild() const;
  bool ControlKeyDown(toolkit::Control& control, const QKeyEvent& key);
  void ControlKeyUp(toolkit::Control& control, const QKeyEvent& key);
  bool PressDialogButton(int virtualKey);
  void ShowHelpFor(const toolkit::Control& control);

  toolkit::Application& app_;
  toolkit::Form& form_;
  std::vector<toolkit::Control*> controls_;  // in construction order
  std::unordered_map<const QObject*, toolkit::Control*> controlOf_;
  // Keys pressed while this window had the keyboard: only their release is a key-up here, so
  // the Enter that closed a message box does not reach a list of this window as well.
  std::unordered_set<int> keysDown_;
  // The key being pressed went to a control first: whatever the control's handler did to the
  // focus meanwhile (a dialog takes it), the form's own key-down must not hear it again.
  bool keyHeardByControl_ = false;
  std::unordered_map<const toolkit::Control*, QWidget*> viewOf_;
  QEventLoop* modalLoop_ = nullptr;
  bool modalOnlyWhileRun_ = false;
  bool placed_ = false;
  bool screenFollowed_ = false;
  std::string screenTold_;
  bool writingModel_ = false;
  QMetaObject::Connection focusConnection_;
  Binding changed_;
  Binding broughtToFront_;
  Binding closeRequested_;
};

}  // namespace fondex::qt
