#pragma once

#include <functional>

#include "toolkit/Signal.h"

namespace fondex::toolkit {

// A repeating timer; it ticks only while enabled with an interval above 0. Setting a value it
// already has changes nothing, so a running interval is not restarted.
class Timer {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  bool Running() const { return enabled_ && interval_ > 0; }

  // One tick, from the view's timer (or a test).
  void Tick();

  std::function<void()> OnTimer;
  Signal<> Changed;  // enabled or interval changed: the view restarts its timer

 private:
  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace fondex::toolkit
