#pragma once

#include <signal.h>

#include <array>

#include "platform/SessionEnd.h"

namespace fondex::platform::posix {

// SIGTERM, SIGHUP and SIGINT, the ways a session's end, a service manager or a terminal ask a
// program to end, become session-end requests. Their handler only writes a byte into a pipe;
// the previous handlers come back when the object goes. One object at a time.
class SessionEndSignals : public SessionEndRequests {
 public:
  SessionEndSignals();
  ~SessionEndSignals() override;
  SessionEndSignals(const SessionEndSignals&) = delete;
  SessionEndSignals& operator=(const SessionEndSignals&) = delete;

  int Descriptor() const override { return pipe_[0]; }
  void Acknowledge() override;

  static constexpr std::array<int, 3> kSignals = {SIGTERM, SIGHUP, SIGINT};

 private:
  std::array<int, 2> pipe_{-1, -1};
  std::array<struct sigaction, kSignals.size()> previous_{};
};

}  // namespace fondex::platform::posix
