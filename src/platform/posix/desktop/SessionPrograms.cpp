#include "platform/posix/desktop/SessionPrograms.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <sstream>

#include "platform/posix/FileIo.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr std::size_t kCommLength = 15;
constexpr std::size_t kStartTimeField = 22;  // of /proc/PID/stat, counted from 1

std::string Variable(std::string_view environment, std::string_view name) {
  std::string_view rest = environment;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    const std::string_view entry = rest.substr(0, end);
    if (entry.size() > name.size() && entry.starts_with(name) && entry[name.size()] == '=') {
      return std::string(entry.substr(name.size() + 1));
    }
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return {};
}

std::string FileOf(int pid, const char* name) {
  return ReadRegularFile("/proc/" + std::to_string(pid) + "/" + name).value_or(std::string());
}

// The start time of a live process; nothing for a zombie or one that cannot be read.
std::optional<unsigned long long> StartTime(const std::string& stat) {
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) {
    return std::nullopt;
  }
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (std::size_t index = 3; index <= kStartTimeField && fields >> field; ++index) {
    if (index == 3 && (field == "Z" || field == "X")) {
      return std::nullopt;
    }
  }
  unsigned long long started = 0;
  if (std::from_chars(field.data(), field.data() + field.size(), started).ec != std::errc()) {
    return std::nullopt;
  }
  return started;
}

Argv Arguments(const std::string& commandLine) {
  Argv argv;
  std::string_view rest = commandLine;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    argv.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return argv;
}

}  // namespace

std::vector<std::string> SessionOfEnvironment(std::string_view environment) {
  std::vector<std::string> names;
  const std::string display = Variable(environment, "WAYLAND_DISPLAY");
  const std::string runtime = Variable(environment, "XDG_RUNTIME_DIR");
  if (display.starts_with('/')) {
    names.push_back(std::filesystem::path(display).lexically_normal().string());
  } else if (!display.empty() && !runtime.empty()) {
    names.push_back((std::filesystem::path(runtime) / display).lexically_normal().string());
  }
  // sway hands its own background drawer a socket of its own (WAYLAND_SOCKET): the drawer is
  // known by sway's socket then.
  if (const std::string sway = Variable(environment, "SWAYSOCK"); !sway.empty()) {
    names.push_back("sway " + sway);
  }
  return names;
}

bool SameSession(const std::vector<std::string>& one, const std::vector<std::string>& other) {
  return std::ranges::any_of(
      one, [&](const std::string& name) { return std::ranges::find(other, name) != other.end(); });
}

std::vector<SessionProgram> RunningInSession(std::string_view program,
                                             const std::vector<std::string>& session) {
  std::vector<SessionProgram> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    int pid = 0;
    if (std::from_chars(name.data(), name.data() + name.size(), pid).ec != std::errc()) {
      continue;
    }
    std::string comm = FileOf(pid, "comm");
    if (comm.ends_with('\n')) {
      comm.pop_back();
    }
    if (comm != program.substr(0, kCommLength)) {
      continue;
    }
    const std::optional<unsigned long long> started = StartTime(FileOf(pid, "stat"));
    if (!started) {
      continue;
    }
    if (SameSession(SessionOfEnvironment(FileOf(pid, "environ")), session)) {
      found.push_back({.pid = pid, .started = *started, .argv = Arguments(FileOf(pid, "cmdline"))});
    }
  }
  std::ranges::sort(found, [](const SessionProgram& a, const SessionProgram& b) {
    return a.started != b.started ? a.started < b.started : a.pid < b.pid;
  });
  return found;
}

}  // namespace fondex::platform::posix::desktop
