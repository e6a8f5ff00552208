#include "platform/posix/desktop/LxqtBackend.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>

#include "platform/posix/FileIo.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

using std::chrono::milliseconds;

constexpr const char* kTool = "pcmanfm-qt";
constexpr const char* kPlainMode = "none";
// The modes in which pcmanfm-qt draws a picture; with any other it shows its colour alone.
constexpr std::array<std::string_view, 5> kPictureModes{"stretch", "fit", "center", "tile", "zoom"};
// The desktop quits, or takes its bus name, within moments.
constexpr milliseconds kPatience{5000};
constexpr milliseconds kPoll{50};
constexpr milliseconds kSettle{200};

bool IsPictureMode(std::string_view mode) {
  return std::ranges::find(kPictureModes, mode) != kPictureModes.end();
}

std::string DirectoryOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash + 1);
}

// The profile is the folder that holds the settings file.
std::string ProfileOf(const std::string& settingsFile) {
  return std::filesystem::path(settingsFile).parent_path().filename().string();
}

std::string DesktopValue(std::string_view settings, std::string_view key) {
  return QtSettingsText(FindProfileValue(settings, "Desktop", key).value_or(""));
}

Argv DesktopOwnerQuery() {
  return {"dbus-send",
          "--session",
          "--print-reply",
          "--dest=org.freedesktop.DBus",
          "/org/freedesktop/DBus",
          "org.freedesktop.DBus.NameHasOwner",
          "string:org.pcmanfm.PCManFM"};
}

}  // namespace

LxqtBackend::LxqtBackend(ProcessRunner& runner, std::string settingsFile)
    : runner_(runner), settingsFile_(std::move(settingsFile)), profile_(ProfileOf(settingsFile_)) {}

bool LxqtBackend::Set(const std::string& path, WallpaperStyle style) {
  // The tool reads its arguments as UTF-8 text: another path would name another file.
  return IsValidUtf8(path) && Show(spelling_.For(path), StyleModeName(style));
}

bool LxqtBackend::Clear() {
  return Show("", kPlainMode);
}

std::optional<std::string> LxqtBackend::Current() {
  const std::optional<std::string> settings = ReadRegularFile(settingsFile_);
  if (!settings) {
    return std::nullopt;
  }
  const std::string wallpaper = DesktopValue(*settings, "Wallpaper");
  spelling_.Seen(wallpaper);
  // Another program's request may have left the screen in another mode.
  showsLoadedMode_ = showsLoadedMode_ && wallpaper == lastAsked_;
  return IsPictureMode(DesktopValue(*settings, "WallpaperMode")) && !wallpaper.empty()
             ? LexicallyNormal(wallpaper)
             : std::string();
}

std::unique_ptr<ChangeFeed> LxqtBackend::Follow() {
  const std::size_t slash = settingsFile_.rfind('/');
  return std::make_unique<FileChangeFeed>(DirectoryOf(settingsFile_),
                                          settingsFile_.substr(slash + 1));
}

bool LxqtBackend::Show(const std::string& picture, const std::string& mode) {
  lastAsked_ = picture;
  if (showsLoadedMode_ && mode == LoadedMode()) {
    return picture.empty() ||
           runner_.Run({kTool, "--set-wallpaper", picture, "--wallpaper-mode", mode}).succeeded;
  }
  showsLoadedMode_ = Restart(picture, mode);
  return showsLoadedMode_;
}

// The mode pcmanfm-qt loaded, as it writes it back: anything but a picture mode is none.
std::string LxqtBackend::LoadedMode() const {
  const std::string mode =
      DesktopValue(ReadRegularFile(settingsFile_).value_or(""), "WallpaperMode");
  return IsPictureMode(mode) ? mode : kPlainMode;
}

// The desktop is ended before its settings are written, since it writes them as it goes.
bool LxqtBackend::Restart(const std::string& picture, const std::string& mode) {
  runner_.Run({kTool, "--desktop-off"});
  if (!WaitForDesktop(false) || !WriteSettings(picture, mode)) {
    return false;  // still running: it keeps windows of its own open
  }
  runner_.StartLasting({kTool, "--desktop", "--profile=" + profile_}, kSettle);
  return WaitForDesktop(true);
}

// A plain desktop keeps the picture's name, as pcmanfm-qt itself does.
bool LxqtBackend::WriteSettings(const std::string& picture, const std::string& mode) const {
  std::string settings = ReadRegularFile(settingsFile_).value_or("[Desktop]\n");
  if (!picture.empty()) {
    settings = WithProfileValue(settings, "Desktop", "Wallpaper", QtSettingsLiteral(picture));
  }
  settings = WithProfileValue(settings, "Desktop", "WallpaperMode", mode);
  std::error_code ignored;
  std::filesystem::create_directories(DirectoryOf(settingsFile_), ignored);
  return WriteFileAtomically(settingsFile_, settings);
}

bool LxqtBackend::WaitForDesktop(bool running) {
  const auto end = std::chrono::steady_clock::now() + kPatience;
  for (;;) {
    const ToolResult reply = runner_.Run(DesktopOwnerQuery());
    if (reply.succeeded && (reply.output.find("boolean true") != std::string::npos) == running) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= end || runner_.OutOfTime()) {
      return false;
    }
    runner_.Pause(kPoll);
  }
}

}  // namespace fondex::platform::posix::desktop
