#include "platform/posix/SessionEndSignals.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <stdexcept>

namespace fondex::platform::posix {
namespace {

bool Readable(int descriptor) {
  pollfd watched{descriptor, POLLIN, 0};
  return ::poll(&watched, 1, 0) == 1;
}

TEST(SessionEndSignals, EachSignalBecomesOneRequestUntilTheObjectGoes) {
  for (const int signal : SessionEndSignals::kSignals) {
    SCOPED_TRACE(signal);
    struct sigaction before {};
    ::sigaction(signal, nullptr, &before);
    {
      SessionEndSignals requests;
      EXPECT_FALSE(Readable(requests.Descriptor()));
      // The process goes on: the signal is only noted.
      ::raise(signal);
      ::raise(signal);
      EXPECT_TRUE(Readable(requests.Descriptor()));
      requests.Acknowledge();
      EXPECT_FALSE(Readable(requests.Descriptor()));
      EXPECT_THROW(SessionEndSignals second, std::runtime_error);
    }
    struct sigaction after {};
    ::sigaction(signal, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
  }
}

// More signals than the pipe holds bytes: the handler never waits for room.
TEST(SessionEndSignals, AFullPipeNeverBlocksTheHandler) {
  SessionEndSignals requests;
  for (int n = 0; n < 70000; ++n) {
    ::raise(SIGHUP);
  }
  EXPECT_TRUE(Readable(requests.Descriptor()));
  requests.Acknowledge();
  EXPECT_FALSE(Readable(requests.Descriptor()));
}

}  // namespace
}  // namespace fondex::platform::posix
