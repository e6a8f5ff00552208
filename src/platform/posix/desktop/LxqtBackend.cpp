#include "platform/posix/desktop/LxqtBackend.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "platform/posix/FileIo.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

using std::chrono::milliseconds;

constexpr const char* kTool = "pcmanfm-qt";
constexpr const char* kPlainMode = "none";
// What the command line takes for a plain desktop; saved as none.
constexpr const char* kColourMode = "color";
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

// A plain desktop keeps the picture's name, as pcmanfm-qt itself does.
std::string WithDesktop(const std::string& settings, const std::string& picture,
                        const std::string& mode) {
  std::string text = settings.empty() ? "[Desktop]\n" : settings;
  if (!picture.empty()) {
    text = WithProfileValue(text, "Desktop", "Wallpaper", QtSettingsLiteral(picture));
  }
  return WithProfileValue(text, "Desktop", "WallpaperMode", mode);
}

// Polls until the condition holds, or the desktop's patience runs out.
// Polls within the change's own time too; the caller's window keeps painting meanwhile.
bool WaitUntil(ProcessRunner& runner, const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end || runner.OutOfTime()) {
      return false;
    }
    runner.Pause(kPoll);
  }
  return true;
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

// pcmanfm-qt's wallpaper modes take the common names, but "zoom" fills.
const char* WallpaperModeOf(WallpaperStyle style) {
  return style == WallpaperStyle::kFilled ? "zoom" : StyleModeName(style);
}

}  // namespace

LxqtBackend::LxqtBackend(ProcessRunner& runner, std::string settingsFile)
    : runner_(runner), settingsFile_(std::move(settingsFile)), profile_(ProfileOf(settingsFile_)) {}

bool LxqtBackend::Set(const std::string& path, WallpaperStyle style) {
  // The tool reads its arguments as UTF-8 text: another path would name another file.
  return IsValidUtf8(path) && Show(spelling_.For(path), WallpaperModeOf(style));
}

bool LxqtBackend::Clear() {
  return Show("", kPlainMode);
}

std::optional<std::string> LxqtBackend::Current() {
  const std::optional<std::string> settings = ReadRegularFile(settingsFile_);
  shownStyle_.reset();
  if (!settings) {
    return std::nullopt;
  }
  const std::string wallpaper = DesktopValue(*settings, "Wallpaper");
  spelling_.Seen(wallpaper);
  // Another program's request may have left the screen in another mode.
  showsLoadedMode_ = showsLoadedMode_ && wallpaper == lastAsked_;
  const std::string mode = DesktopValue(*settings, "WallpaperMode");
  // Before 1.4 the file keeps the mode the desktop loaded, not always the one it shows.
  shownStyle_ = SavesAskedModes() ? StyleOfWord(mode, WallpaperModeOf) : std::nullopt;
  return IsPictureMode(mode) && !wallpaper.empty() ? LexicallyNormal(wallpaper) : std::string();
}

std::unique_ptr<ChangeFeed> LxqtBackend::Follow() {
  const std::size_t slash = settingsFile_.rfind('/');
  return std::make_unique<FileChangeFeed>(DirectoryOf(settingsFile_),
                                          settingsFile_.substr(slash + 1));
}

bool LxqtBackend::Show(const std::string& picture, const std::string& mode) {
  lastAsked_ = picture;
  if (SavesAskedModes()) {
    const Argv request = picture.empty()
                             ? Argv{kTool, "--wallpaper-mode", kColourMode}
                             : Argv{kTool, "--set-wallpaper", picture, "--wallpaper-mode", mode};
    return runner_.Run(request).succeeded && Holds(picture, mode);
  }
  if (showsLoadedMode_ && mode == LoadedMode()) {
    return picture.empty() ||
           (runner_.Run({kTool, "--set-wallpaper", picture, "--wallpaper-mode", mode}).succeeded &&
            Holds(picture, mode));
  }
  showsLoadedMode_ = Restart(picture, mode);
  return showsLoadedMode_;
}

// pcmanfm-qt 1.4 and later: "pcmanfm-qt 2.1.0". A version that could not be read is asked for
// again at the next change, and taken meanwhile for an older one.
bool LxqtBackend::SavesAskedModes() {
  if (!savesAskedModes_) {
    const ToolResult version = runner_.Run({kTool, "--version"});
    const std::size_t blank = version.output.find(' ');
    int major = 0, minor = 0;
    if (version.succeeded && blank != std::string::npos &&
        std::sscanf(version.output.c_str() + blank, "%d.%d", &major, &minor) == 2) {
      savesAskedModes_ = major > 1 || minor >= 4;
    }
  }
  return savesAskedModes_.value_or(false);
}

// The mode pcmanfm-qt loaded, as it writes it back: anything but a picture mode is none.
std::string LxqtBackend::LoadedMode() const {
  const std::string mode =
      DesktopValue(ReadRegularFile(settingsFile_).value_or(""), "WallpaperMode");
  return IsPictureMode(mode) ? mode : kPlainMode;
}

// The desktop is ended before its settings are written, since it writes them as it goes. What
// would keep the new settings from being written is found out before it ends; whatever fails once
// it has ended, it is started again, with the settings it had.
bool LxqtBackend::Restart(const std::string& picture, const std::string& mode) {
  std::error_code ignored;
  std::filesystem::create_directories(DirectoryOf(settingsFile_), ignored);
  const std::optional<std::string> before = ReadFileToRewrite(settingsFile_);
  if (!before || !CanReplaceFile(settingsFile_, WithDesktop(*before, picture, mode).size())) {
    return false;
  }
  runner_.Run({kTool, "--desktop-off"});
  if (!WaitForDesktop(false)) {
    StartDesktop();  // it keeps windows of its own open, and only its desktop went
    return false;
  }
  // It saved its settings as it ended.
  const std::optional<std::string> ended = ReadFileToRewrite(settingsFile_);
  const bool written =
      ended && WriteFileAtomically(settingsFile_, WithDesktop(*ended, picture, mode));
  if (StartDesktop()) {
    return written && Holds(picture, mode);
  }
  if (written) {
    WriteFileAtomically(settingsFile_, *ended);
    StartDesktop();
  }
  return false;
}

bool LxqtBackend::StartDesktop() {
  runner_.StartLasting({kTool, "--desktop", "--profile=" + profile_}, kSettle);
  return WaitForDesktop(true);
}

bool LxqtBackend::WaitForDesktop(bool running) {
  return WaitUntil(runner_, [&] {
    const ToolResult reply = runner_.Run(DesktopOwnerQuery());
    return reply.succeeded && (reply.output.find("boolean true") != std::string::npos) == running;
  });
}

// The settings file names the picture ("" for a plain desktop: the picture's name stays) and the
// mode, once pcmanfm-qt has saved them.
bool LxqtBackend::Holds(const std::string& picture, const std::string& mode) const {
  return WaitUntil(runner_, [&] {
    const std::string settings = ReadRegularFile(settingsFile_).value_or("");
    const std::string held = DesktopValue(settings, "WallpaperMode");
    return (picture.empty() ? !IsPictureMode(held) : held == mode) &&
           (picture.empty() || DesktopValue(settings, "Wallpaper") == picture);
  });
}

}  // namespace fondex::platform::posix::desktop
