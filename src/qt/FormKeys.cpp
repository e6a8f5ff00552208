// How a form's window routes the keyboard.
#include <QApplication>
#include <QKeyEvent>
#include <utility>

#include "qt/ControlViews.h"
#include "qt/FormView.h"
#include "qt/KeyCodes.h"
#include "toolkit/FormKeys.h"

namespace fondex::qt {

bool FormView::FocusInChild() const {
  const QWidget* focused = QApplication::focusWidget();
  return focused != nullptr && focused != this && isAncestorOf(focused);
}

// Keys that reach a control's widget: its handlers hear them before the widget itself does.
bool FormView::eventFilter(QObject* watched, QEvent* event) {
  // Every key press first offers itself as a shortcut to the widget it goes to, a control or
  // the form itself: a new press begins.
  if (event->type() == QEvent::ShortcutOverride) {
    keyHeardByControl_ = false;
    return false;
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
    return false;
  }
  const auto found = controlOf_.find(watched);
  // Containers see their children's keys pass by on the way to the form: not theirs.
  if (found == controlOf_.end() || static_cast<QWidget*>(watched)->focusPolicy() == Qt::NoFocus) {
    return false;
  }
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (event->type() == QEvent::KeyPress) {
    keysDown_.insert(key.key());
    keyHeardByControl_ = true;
    return ControlKeyDown(*found->second, key);
  }
  if (!key.isAutoRepeat() && keysDown_.erase(key.key()) == 0) {
    return false;  // pressed in another window
  }
  ControlKeyUp(*found->second, key);
  return false;
}

bool FormView::ControlKeyDown(toolkit::Control& control, const QKeyEvent& key) {
  const int virtualKey = VirtualKey(key.key());
  if (virtualKey == 0) {
    return false;
  }
  if (virtualKey == toolkit::vk::kF1) {
    ShowHelpFor(control);
    return true;
  }
  const toolkit::ShiftState shift = ShiftStateOf(key.modifiers());
  if (form_.keyPreview && form_.OnKeyDown) {
    app_.Dispatch([this, virtualKey, shift] { form_.OnKeyDown(virtualKey, shift); });
  }
  if (control.OnKeyDown) {
    app_.Dispatch([&control, virtualKey, shift] { control.OnKeyDown(virtualKey, shift); });
  }
  return false;
}

void FormView::ControlKeyUp(toolkit::Control& control, const QKeyEvent& key) {
  const int virtualKey = VirtualKey(key.key());
  if (virtualKey == 0 || key.isAutoRepeat()) {
    return;
  }
  const toolkit::ShiftState shift = ShiftStateOf(key.modifiers());
  if (form_.keyPreview && form_.OnKeyUp) {
    app_.Dispatch([this, virtualKey, shift] { form_.OnKeyUp(virtualKey, shift); });
  }
  if (control.OnKeyUp) {
    app_.Dispatch([&control, virtualKey, shift] { control.OnKeyUp(virtualKey, shift); });
  }
}

// The form's own keys, and those that the focused control left.
void FormView::keyPressEvent(QKeyEvent* event) {
  keysDown_.insert(event->key());
  const int virtualKey = VirtualKey(event->key());
  const bool heardByControl = std::exchange(keyHeardByControl_, false);
  if (!heardByControl && !FocusInChild() && virtualKey != 0) {
    if (virtualKey == toolkit::vk::kF1) {
      ShowHelpFor(form_);
      return;
    }
    if (form_.OnKeyDown) {
      const toolkit::ShiftState shift = ShiftStateOf(event->modifiers());
      app_.Dispatch([this, virtualKey, shift] { form_.OnKeyDown(virtualKey, shift); });
    }
  }
  if (!PressDialogButton(virtualKey)) {
    event->ignore();
  }
}

void FormView::keyReleaseEvent(QKeyEvent* event) {
  const int virtualKey = VirtualKey(event->key());
  const bool pressedHere = event->isAutoRepeat() || keysDown_.erase(event->key()) > 0;
  if (pressedHere && !FocusInChild() && virtualKey != 0 && !event->isAutoRepeat() &&
      form_.OnKeyUp) {
    const toolkit::ShiftState shift = ShiftStateOf(event->modifiers());
    app_.Dispatch([this, virtualKey, shift] { form_.OnKeyUp(virtualKey, shift); });
  }
  event->ignore();
}

// Enter presses the focused button, or else the default one; Escape the cancel button.
bool FormView::PressDialogButton(int virtualKey) {
  const auto* focusedView = dynamic_cast<const BitButtonView*>(QApplication::focusWidget());
  toolkit::Control* focused =
      focusedView != nullptr && isAncestorOf(focusedView) ? &focusedView->ControlModel() : nullptr;
  toolkit::BitButton* button =
      toolkit::DialogButtonFor(virtualKey, focused, controls_, [this](const toolkit::Control& c) {
        const QWidget* view = ViewOf(&c);
        return view->isEnabled() && view->isVisibleTo(this);
      });
  if (button == nullptr) {
    return false;
  }
  app_.Dispatch([button] { button->Click(); });
  return true;
}

void FormView::ShowHelpFor(const toolkit::Control& control) {
  const int context = control.EffectiveHelpContext();
  if (context != 0) {
    app_.Dispatch([this, context] { app_.ShowHelp(context); });
  }
}

}  // namespace fondex::qt
