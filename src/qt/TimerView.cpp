#include "qt/TimerView.h"

namespace fondex::qt {

TimerView::TimerView(toolkit::Application& app, toolkit::Timer& timer)
    : timer_(timer), changed_(timer.Changed, [this] { Follow(); }) {
  QObject::connect(&clock_, &QTimer::timeout,
                   [&app, &timer] { app.Dispatch([&timer] { timer.Tick(); }); });
  Follow();
}

// The model announces only real changes of its state, so each one restarts the count.
void TimerView::Follow() {
  if (timer_.Running()) {
    clock_.start(timer_.Interval());
  } else {
    clock_.stop();
  }
}

}  // namespace fondex::qt
