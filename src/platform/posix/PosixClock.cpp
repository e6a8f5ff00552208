#include "platform/posix/PosixClock.h"

#include <time.h>

namespace fondex::platform::posix {

SystemTime PosixClock::NowUtc() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  tm utc{};
  ::gmtime_r(&now.tv_sec, &utc);
  return SystemTime{.hour = utc.tm_hour,
                    .minute = utc.tm_min,
                    .second = utc.tm_sec,
                    .milliseconds = static_cast<int>(now.tv_nsec / 1'000'000)};
}

}  // namespace fondex::platform::posix
