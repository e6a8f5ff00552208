#include "platform/posix/desktop/LxqtBackend.h"

#include "platform/posix/FileIo.h"
#include "platform/posix/ProfileText.h"
#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "pcmanfm-qt";

std::string DirectoryOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash + 1);
}

}  // namespace

LxqtBackend::LxqtBackend(ProcessRunner& runner, std::string settingsFile)
    : runner_(runner), settingsFile_(std::move(settingsFile)) {}

bool LxqtBackend::Set(const std::string& path, WallpaperStyle style) {
  // The tool reads its arguments as UTF-8 text: another path would name another file.
  return IsValidUtf8(path) && runner_
                                  .Run({kTool, "--set-wallpaper", spelling_.For(path),
                                        "--wallpaper-mode", StyleModeName(style)})
                                  .succeeded;
}

bool LxqtBackend::Clear() {
  return runner_.Run({kTool, "--wallpaper-mode", "color"}).succeeded;
}

std::optional<std::string> LxqtBackend::Current() {
  const std::optional<std::string> settings = ReadRegularFile(settingsFile_);
  if (!settings) {
    return std::nullopt;
  }
  const std::string mode =
      QtSettingsText(FindProfileValue(*settings, "Desktop", "WallpaperMode").value_or(""));
  const std::string wallpaper =
      QtSettingsText(FindProfileValue(*settings, "Desktop", "Wallpaper").value_or(""));
  spelling_.Seen(wallpaper);
  return mode == "color" || wallpaper.empty() ? std::string() : LexicallyNormal(wallpaper);
}

std::unique_ptr<ChangeFeed> LxqtBackend::Follow() {
  const std::size_t slash = settingsFile_.rfind('/');
  return std::make_unique<FileChangeFeed>(DirectoryOf(settingsFile_),
                                          settingsFile_.substr(slash + 1));
}

}  // namespace fondex::platform::posix::desktop
