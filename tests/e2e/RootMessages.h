#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "e2e/VirtualScreen.h"

namespace fondex::e2e {

// What programs send to the root window of an X server, as a window manager and a launcher
// hear it: requests to activate a window (EWMH) and startup-notification messages.
class RootMessages {
 public:
  explicit RootMessages(const std::string& displayName);
  ~RootMessages();
  RootMessages(const RootMessages&) = delete;
  RootMessages& operator=(const RootMessages&) = delete;

  struct Activation {
    WindowId window;
    long source;  // 1: an application, 2: a pager
    std::uint32_t time;
  };
  // Everything heard so far.
  const std::vector<Activation>& Activations();
  const std::vector<std::string>& StartupMessages();

 private:
  void Drain();

  struct Connection;
  std::unique_ptr<Connection> connection_;
  std::vector<Activation> activations_;
  std::vector<std::string> startupMessages_;
};

}  // namespace fondex::e2e
