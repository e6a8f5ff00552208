#include "platform/posix/desktop/HyprpaperBackend.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "platform/posix/FileIo.h"
#include "platform/posix/desktop/ChangeFeeds.h"
#include "platform/posix/desktop/JsonObjects.h"
#include "platform/posix/desktop/PlainPicture.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "hyprctl";

// hyprpaper has no centring without scaling: "contain" shows the whole picture in the middle,
// as a fitted one; "cover" fills the screen.
const char* FitMode(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return "tile";
    case WallpaperStyle::kStretched:
      return "fit";
    case WallpaperStyle::kFilled:
      return "cover";
    case WallpaperStyle::kCentred:
    case WallpaperStyle::kFitted:
      break;
  }
  return "contain";
}

}  // namespace

bool HyprpaperRuns(ProcessRunner& runner) {
  return !runner.SessionPrograms("hyprpaper").empty();
}

HyprpaperBackend::HyprpaperBackend(ProcessRunner& runner, std::string plainPicture)
    : runner_(runner), plainPicture_(std::move(plainPicture)) {}

bool HyprpaperBackend::Set(const std::string& path, WallpaperStyle style) {
  return ShowEverywhere(path, FitMode(style));
}

bool HyprpaperBackend::Clear() {
  const std::string pixel = OnePixelBitmap(kBlack);
  if (ReadRegularFile(plainPicture_) != pixel && !WriteFileAtomically(plainPicture_, pixel)) {
    return false;
  }
  return ShowEverywhere(plainPicture_, "fit");
}

std::optional<std::string> HyprpaperBackend::Current() {
  const std::string active = Active();
  return Reported(active.substr(0, active.find('\n')));
}

std::optional<std::string> HyprpaperBackend::CurrentOn(const std::string& screen) {
  std::istringstream lines(Active());
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(screen + ": ")) {
      return Reported(line);
    }
  }
  return std::nullopt;
}

// The picture of a "MONITOR: FILE" line, lexically normal, "" for the plain picture; nothing
// when hyprpaper was not reached or shows nothing yet.
std::optional<std::string> HyprpaperBackend::Reported(const std::string& line) const {
  const std::size_t separator = line.find(": ");
  if (separator == std::string::npos) {
    return std::nullopt;
  }
  const std::string shown =
      std::filesystem::path(line.substr(separator + 2)).lexically_normal().string();
  return shown == std::filesystem::path(plainPicture_).lexically_normal().string() ? "" : shown;
}

std::vector<std::string> HyprpaperBackend::Screens() {
  const ToolResult listed = runner_.Run({kTool, "monitors", "-j"});
  std::vector<std::string> names;
  if (listed.succeeded) {
    for (const JsonMembers& monitor :
         ArrayOfObjects(listed.output).value_or(std::vector<JsonMembers>{})) {
      if (const auto name = monitor.find("name"); name != monitor.end()) {
        names.push_back(name->second);
      }
    }
  }
  return names;
}

bool HyprpaperBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  return std::ranges::all_of(pictures, [&](const ScreenPath& picture) {
    return Show(picture.screen, picture.path, FitMode(style));
  });
}

// On every monitor to come, then on each there is by name.
bool HyprpaperBackend::ShowEverywhere(const std::string& path, const char* mode) {
  if (!Show("", path, mode)) {
    return false;
  }
  const std::vector<std::string> monitors = Screens();
  return std::ranges::all_of(monitors,
                             [&](const std::string& monitor) { return Show(monitor, path, mode); });
}

std::unique_ptr<ChangeFeed> HyprpaperBackend::Follow() {
  return std::make_unique<PacedFeed>([this] { return Active(); });
}

// hyprctl cuts its request at each comma: a name with one is refused rather than cut.
bool HyprpaperBackend::Show(const std::string& monitor, const std::string& path, const char* mode) {
  if (monitor.find(',') != std::string::npos || path.find(',') != std::string::npos) {
    return false;
  }
  return runner_.Run({kTool, "hyprpaper", "wallpaper", monitor + "," + path + "," + mode})
      .succeeded;
}

// What `listactive` prints; nothing when hyprpaper cannot be reached.
std::string HyprpaperBackend::Active() {
  const ToolResult listed = runner_.Run({kTool, "hyprpaper", "listactive"});
  return listed.succeeded ? listed.output : std::string();
}

}  // namespace fondex::platform::posix::desktop
