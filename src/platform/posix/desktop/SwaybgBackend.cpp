#include "platform/posix/desktop/SwaybgBackend.h"

#include <charconv>

#include "platform/posix/FileIo.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "swaybg";
// swaybg exits at once when it cannot load the picture or reach the compositor.
constexpr std::chrono::milliseconds kSettle{300};

std::optional<int> RecordedPid(const std::string& pidFile) {
  const std::optional<std::string> text = ReadRegularFile(pidFile);
  int pid = 0;
  if (!text || std::from_chars(text->data(), text->data() + text->size(), pid).ec != std::errc()) {
    return std::nullopt;
  }
  return pid;
}

}  // namespace

SwaybgBackend::SwaybgBackend(ProcessRunner& runner, std::string pidFile)
    : runner_(runner), pidFile_(std::move(pidFile)) {}

bool SwaybgBackend::Set(const std::string& path, WallpaperStyle style) {
  return Replace({kTool, "-o", "*", "-i", path, "-m", StyleModeName(style)});
}

bool SwaybgBackend::Clear() {
  return Replace({kTool, "-o", "*", "-m", "solid_color", "-c", "#000000"});
}

bool SwaybgBackend::Replace(const Argv& argv) {
  const std::optional<int> previous = RecordedPid(pidFile_);
  const std::optional<int> started = runner_.StartLasting(argv, kSettle);
  if (!started) {
    return false;
  }
  if (!WriteFileAtomically(pidFile_, std::to_string(*started) + "\n")) {
    // Unrecorded, it could never be stopped: the old picture stays.
    runner_.StopLasting(*started, kTool);
    return false;
  }
  if (previous) {
    runner_.StopLasting(*previous, kTool);
  }
  return true;
}

}  // namespace fondex::platform::posix::desktop
