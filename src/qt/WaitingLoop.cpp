#include "qt/WaitingLoop.h"

#include <QCoreApplication>
#include <QEvent>

namespace fondex::qt {
namespace {

// A timer runs only in a full turn of a loop: its first tick comes once the wait is over.
constexpr int kRetryMilliseconds = 50;

bool IsUserAction(const QEvent& event) {
  switch (event.type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Shortcut:
      return true;
    default:
      return event.isInputEvent();
  }
}

}  // namespace

WaitingLoop::WaitingLoop(toolkit::Application& app) : app_(app) {
  retry_.setInterval(kRetryMilliseconds);
  connect(&retry_, &QTimer::timeout, this, [this] { CloseWhenFree(); });
}

void WaitingLoop::Turn() {
  QCoreApplication::instance()->installEventFilter(this);
  QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers |
                                  QEventLoop::X11ExcludeTimers);
  QCoreApplication::instance()->removeEventFilter(this);
}

bool WaitingLoop::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::Close && widget != nullptr && widget->isWindow()) {
    event->ignore();
    closing_ = widget;
    retry_.start();
    return true;
  }
  if (IsUserAction(*event)) {
    event->ignore();
    return true;
  }
  return false;
}

void WaitingLoop::CloseWhenFree() {
  if (app_.ModalOpen()) {
    return;  // the box that ends the change is still open
  }
  retry_.stop();
  if (closing_) {
    closing_->close();
  }
}

}  // namespace fondex::qt
