#include "toolkit/Timer.h"

namespace fondex::toolkit {

void Timer::SetEnabled(bool enabled) {
  if (enabled_ != enabled) {
    enabled_ = enabled;
    Changed.Emit();
  }
}

void Timer::SetInterval(int milliseconds) {
  if (interval_ != milliseconds) {
    interval_ = milliseconds;
    Changed.Emit();
  }
}

void Timer::Tick() {
  if (Running() && OnTimer) {
    OnTimer();
  }
}

}  // namespace fondex::toolkit
