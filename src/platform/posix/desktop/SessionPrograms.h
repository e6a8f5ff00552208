#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// The names of the graphical session a process belongs to, from its environment ("NAME=value"
// entries separated by NUL, as /proc/PID/environ holds them): the Wayland socket it reaches
// (WAYLAND_DISPLAY, relative to XDG_RUNTIME_DIR unless absolute) and sway's socket (SWAYSOCK),
// which is all that names the session of a program sway started on a socket of its own.
std::vector<std::string> SessionOfEnvironment(std::string_view environment);

// Whether two processes share a session: a name in common.
bool SameSession(const std::vector<std::string>& one, const std::vector<std::string>& other);

// The running programs of that name (its first 15 characters, as the kernel keeps it) of the
// session `session` names, oldest first. Processes that cannot be read are passed over.
std::vector<SessionProgram> RunningInSession(std::string_view program,
                                             const std::vector<std::string>& session);

}  // namespace fondex::platform::posix::desktop
