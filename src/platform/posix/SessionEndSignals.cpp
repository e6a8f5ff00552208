#include "platform/posix/SessionEndSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace fondex::platform::posix {
namespace {

// The pipe's writing end for the handler; -1 while no object exists.
volatile sig_atomic_t gWriteEnd = -1;

void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already holds a request: the byte may be lost.
  [[maybe_unused]] const ssize_t written = ::write(gWriteEnd, &byte, 1);
  errno = savedErrno;
}

}  // namespace

SessionEndSignals::SessionEndSignals() {
  if (gWriteEnd != -1 || ::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error("Pépin : les signaux de fin de session ne peuvent être suivis");
  }
  gWriteEnd = pipe_[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], &action, &previous_[i]);
  }
}

SessionEndSignals::~SessionEndSignals() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], &previous_[i], nullptr);
  }
  gWriteEnd = -1;
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void SessionEndSignals::Acknowledge() {
  char bytes[64];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace fondex::platform::posix
