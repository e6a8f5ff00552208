#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProgramInstance.h"

namespace fondex {

// What a start of the program asks of the running copy.
enum class LaunchAction { kShow, kNext, kPrevious, kPlain, kSet };

struct LaunchCommand {
  LaunchAction action = LaunchAction::kShow;
  std::string file;  // the wallpaper's name, for kSet
  // What the launcher of the start gave it to be let to the front (XDG_ACTIVATION_TOKEN on
  // Wayland, DESKTOP_STARTUP_ID on X11); empty when none.
  std::string activationToken;

  bool operator==(const LaunchCommand&) const = default;
};

// A command line that ends the process at once: the text for the standard output (help,
// version) or for the error output (a wrong option), and the exit status.
struct ImmediateExit {
  std::string output;
  std::string error;
  int status = 0;
};

// fondex [--next | --previous | --plain | --set FILE | --show | --help | --version]: one option at
// most, no other argument. The file of --set is given as typed; "--set=FILE" is taken too.
struct CommandLine {
  LaunchCommand command;
  std::optional<ImmediateExit> exit;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The command as one message from a later start to the running copy, and back. A message that
// is not understood shows the main window, as any later start does. The token follows the
// command after a NUL byte, which no command holds, so that messages without one read as
// before; a token that is too long or holds control bytes is left out.
std::string EncodeCommand(const LaunchCommand& command);
LaunchCommand DecodeCommand(std::string_view message);
// Whether a launcher's token may be handed on: 1 to 512 bytes, none of them a control byte.
bool IsActivationToken(std::string_view token);

// Whether a start runs the program, or hands its command to the copy that runs in its folder.
enum class StartRole { kRun, kHandedOver, kUnreachable };
StartRole ClaimOrHandOver(platform::ProgramInstance& instance, const LaunchCommand& command);
// How a start ends when it does not run the program: at once once its command is handed over,
// with the reason when the running copy does not answer; nothing when this process runs it.
std::optional<ImmediateExit> EndOfLaterStart(platform::ProgramInstance& instance,
                                             const LaunchCommand& command);

}  // namespace fondex
