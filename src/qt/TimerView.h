#pragma once

#include <QTimer>

#include "qt/Binding.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

namespace fondex::qt {

// A Qt timer that runs while the model's timer is enabled with an interval above 0; a change of
// either restarts it, and each timeout is a tick of the model.
class TimerView {
 public:
  TimerView(toolkit::Application& app, toolkit::Timer& timer);

  const QTimer& Clock() const { return clock_; }

 private:
  void Follow();

  toolkit::Timer& timer_;
  QTimer clock_;
  Binding changed_;
};

}  // namespace fondex::qt
