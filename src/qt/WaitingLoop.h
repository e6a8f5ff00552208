#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "toolkit/Application.h"

namespace fondex::qt {

// The event loop while the program waits on another program: the windows keep painting, and
// nothing else of the program runs. Input is dropped, timers, other programs' messages and the
// end of the session wait for the loop's next full turn, and a window's close request is
// remembered and honoured once the program is free again (no change under way, no box open).
class WaitingLoop : public QObject {
 public:
  explicit WaitingLoop(toolkit::Application& app);

  // One turn of the loop, without waiting.
  void Turn();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CloseWhenFree();

  toolkit::Application& app_;
  QPointer<QWidget> closing_;
  QTimer retry_;
};

}  // namespace fondex::qt
