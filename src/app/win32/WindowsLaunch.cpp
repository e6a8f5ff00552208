#include "app/win32/WindowsLaunch.h"

#include <string>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WinApi.h"

namespace fondex {

namespace {

// A relative name is the caller's: only this process knows the caller's working directory.
CommandLine WithFullName(CommandLine line) {
  if (line.command.action == LaunchAction::kSet && !line.command.file.empty()) {
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(line.command.file.c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH) {
      line.command.file.assign(full, length);
    }
  }
  return line;
}

// A window program has no console of its own: the text goes where the caller sends the
// standard output or error, else to the console the program was started from, if any.
void WriteToCaller(DWORD stream, const std::string& text) {
  if (text.empty()) {
    return;
  }
  HANDLE target = ::GetStdHandle(stream);
  if ((target == nullptr || target == INVALID_HANDLE_VALUE) &&
      ::AttachConsole(ATTACH_PARENT_PROCESS)) {
    target = ::CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
  }
  DWORD written = 0;
  ::WriteFile(target, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string ProgramFolder() {
  const std::string executable = platform::win32::Win32FileSystem().ExecutablePath();
  return executable.substr(0, executable.find_last_of('\\') + 1);
}

}  // namespace

WindowsLaunch::WindowsLaunch(int argc, char** argv)
    : line_(WithFullName(ParseCommandLine({argv + 1, argv + argc}))) {}

std::optional<int> WindowsLaunch::EndsHere() {
  if (!line_.exit) {
    instance_.emplace(ProgramFolder());
    line_.exit = EndOfLaterStart(*instance_, line_.command);
  }
  if (!line_.exit) {
    return std::nullopt;
  }
  WriteToCaller(STD_OUTPUT_HANDLE, line_.exit->output);
  WriteToCaller(STD_ERROR_HANDLE, line_.exit->error);
  return line_.exit->status;
}

}  // namespace fondex
