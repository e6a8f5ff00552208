#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>

#include "platform/posix/PosixClock.h"

namespace fondex::platform::posix {
namespace {

int MillisecondOfDay(const SystemTime& t) {
  return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.milliseconds;
}

// Far from UTC, so that a local time would show.
TEST(PosixClock, GivesUniversalTimeToTheMillisecond) {
  ::setenv("TZ", "UTC-9:30", 1);
  ::tzset();
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const SystemTime now = PosixClock().NowUtc();
  ::unsetenv("TZ");
  ::tzset();

  constexpr int kDay = 24 * 60 * 60 * 1000;
  const auto expected = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % kDay);
  const int drift = (MillisecondOfDay(now) - expected + kDay) % kDay;
  EXPECT_LT(drift, 1000);
  EXPECT_GE(now.milliseconds, 0);
  EXPECT_LT(now.milliseconds, 1000);
}

}  // namespace
}  // namespace fondex::platform::posix
