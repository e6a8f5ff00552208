#include "platform/posix/desktop/HyprpaperBackend.h"

#include <filesystem>

#include "platform/posix/FileIo.h"
#include "platform/posix/desktop/ChangeFeeds.h"
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
  return path.find(',') == std::string::npos && Show(path, FitMode(style));
}

bool HyprpaperBackend::Clear() {
  const std::string pixel = OnePixelBitmap(kBlack);
  if (ReadRegularFile(plainPicture_) != pixel && !WriteFileAtomically(plainPicture_, pixel)) {
    return false;
  }
  return Show(plainPicture_, "fit");
}

std::optional<std::string> HyprpaperBackend::Current() {
  const std::string active = Active();
  const std::size_t separator = active.find(": ");
  if (separator == std::string::npos) {
    return std::nullopt;  // not reached, or showing nothing yet
  }
  std::string shown = active.substr(separator + 2, active.find('\n') - separator - 2);
  shown = std::filesystem::path(shown).lexically_normal().string();
  return shown == std::filesystem::path(plainPicture_).lexically_normal().string() ? "" : shown;
}

std::unique_ptr<ChangeFeed> HyprpaperBackend::Follow() {
  return std::make_unique<PacedFeed>([this] { return Active(); });
}

bool HyprpaperBackend::Show(const std::string& path, const char* mode) {
  return runner_.Run({kTool, "hyprpaper", "wallpaper", "," + path + "," + mode}).succeeded;
}

// What `listactive` prints; nothing when hyprpaper cannot be reached.
std::string HyprpaperBackend::Active() {
  const ToolResult listed = runner_.Run({kTool, "hyprpaper", "listactive"});
  return listed.succeeded ? listed.output : std::string();
}

}  // namespace fondex::platform::posix::desktop
