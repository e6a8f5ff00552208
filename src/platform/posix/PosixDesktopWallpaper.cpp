#include "platform/posix/PosixDesktopWallpaper.h"

#include <algorithm>

#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/DesktopText.h"

namespace fondex::platform::posix {
namespace {

constexpr std::size_t kMaxNameLength = 259;  // the system's name buffer less its terminator
constexpr std::size_t kStoredValueBuffer = 65536;
constexpr std::size_t kStyleBuffer = 16;

}  // namespace

PosixDesktopWallpaper::PosixDesktopWallpaper(PosixFileSystem& files, ProfileFiles& profiles,
                                             const PathMapper& paths,
                                             std::unique_ptr<desktop::DesktopBackend> backend,
                                             desktop::ProcessRunner* tools)
    : files_(files),
      profiles_(profiles),
      paths_(paths),
      backend_(std::move(backend)),
      tools_(tools),
      knownWallpaper_(StoredWallpaper()) {
  // Before the program reads the profile, the profile learns what the desktop shows.
  if (const auto current = CurrentOnDesktop()) {
    AdoptDesktopWallpaper(*current);
  }
  if (desktopStyle_) {
    AdoptDesktopStyle(*desktopStyle_);
  }
}

bool PosixDesktopWallpaper::SetDeskWallpaper(const std::string& name) {
  if (!IsAcceptable(name)) {
    return false;
  }
  return StoreAndShow(name, [&] {
    windowScreen_.clear();
    return ShowOnDesktop(name);
  });
}

std::vector<std::string> PosixDesktopWallpaper::Screens() {
  if (!backend_) {
    return {};
  }
  const desktop::ChangeTime time(tools_, kChangeTime);
  return backend_->Screens();
}

bool PosixDesktopWallpaper::SetScreenWallpapers(const std::vector<ScreenWallpaper>& pictures,
                                                const std::string& windowScreen) {
  const auto window = std::ranges::find(pictures, windowScreen, &ScreenWallpaper::screen);
  if (window == pictures.end()) {
    return false;
  }
  for (const ScreenWallpaper& picture : pictures) {
    if (picture.name.empty() || !IsAcceptable(picture.name)) {
      return false;
    }
  }
  if (!backend_) {
    return SetDeskWallpaper(window->name);
  }
  return StoreAndShow(window->name, [&] {
    if (!ShowEach(pictures, window->name)) {
      return false;
    }
    windowScreen_ = windowScreen;
    return true;
  });
}

void PosixDesktopWallpaper::FollowScreen(const std::string& screen) {
  if (!backend_ || screen == windowScreen_) {
    return;
  }
  windowScreen_ = screen;
  // That screen's picture is news to the program even when the desktop has not changed.
  if (const auto current = CurrentOnDesktop(); current && AdoptDesktopWallpaper(*current)) {
    NotifyListeners();
  }
}

bool PosixDesktopWallpaper::IsAcceptable(const std::string& name) {
  return name.size() <= kMaxNameLength && (name.empty() || IsLoadablePicture(name));
}

// The name is stored first, as the system's call does, and put back when the desktop refuses.
bool PosixDesktopWallpaper::StoreAndShow(const std::string& name,
                                         const std::function<bool()>& show) {
  const std::string previous = StoredWallpaper();
  if (!profiles_.WriteString(kSystemProfile, "Desktop", "Wallpaper", name)) {
    return false;
  }
  const desktop::ChangeTime time(tools_, kChangeTime);
  if (!show()) {
    profiles_.WriteString(kSystemProfile, "Desktop", "Wallpaper", previous);
    return false;
  }
  knownWallpaper_ = name;
  NotifyListeners();
  return true;
}

void PosixDesktopWallpaper::CheckStoredWallpaper() {
  std::string stored = StoredWallpaper();
  if (stored != knownWallpaper_) {
    knownWallpaper_ = std::move(stored);
    NotifyListeners();
  }
}

void PosixDesktopWallpaper::CheckDesktopWallpaper() {
  const auto current = CurrentOnDesktop();
  // The desktop's echo of the program's own change is no news, even when the profile has been
  // edited since.
  if (desktopStyle_ && desktopStyle_ != knownStyle_) {
    AdoptDesktopStyle(*desktopStyle_);
  }
  if (current && *current != knownDesktop_ && AdoptDesktopWallpaper(*current)) {
    NotifyListeners();
  }
}

std::unique_ptr<desktop::ChangeFeed> PosixDesktopWallpaper::FollowDesktop() {
  return backend_ ? backend_->Follow() : nullptr;
}

// Only the headers are read: the desktop reads the picture itself.
bool PosixDesktopWallpaper::IsLoadablePicture(const std::string& name) {
  const std::optional<std::string> path = files_.PosixPathOfEntry(name);
  const std::unique_ptr<FileSource> file = path ? FileSource::Open(*path) : nullptr;
  return file && CheckPicture(*file, AcceptsOtherFormats() ? PictureFormats::kAll
                                                           : PictureFormats::kBitmapsOnly);
}

std::string PosixDesktopWallpaper::StoredWallpaper() {
  return profiles_.GetString(kSystemProfile, "Desktop", "Wallpaper", "", kStoredValueBuffer);
}

bool PosixDesktopWallpaper::ShowOnDesktop(const std::string& name) {
  if (!backend_) {
    return true;
  }
  if (name.empty()) {
    knownDesktop_.clear();
    return backend_->Clear();
  }
  const std::optional<std::string> path = files_.PosixPathOf(name);
  const desktop::WallpaperStyle style = StoredStyle();
  if (!path || !backend_->Set(*path, style)) {
    return false;
  }
  knownStyle_ = style;
  knownDesktop_ = desktop::LexicallyNormal(*path);
  return true;
}

bool PosixDesktopWallpaper::ShowEach(const std::vector<ScreenWallpaper>& pictures,
                                     const std::string& windowName) {
  std::vector<desktop::ScreenPath> paths;
  for (const ScreenWallpaper& picture : pictures) {
    std::optional<std::string> path = files_.PosixPathOf(picture.name);
    if (!path) {
      return false;
    }
    paths.push_back({picture.screen, std::move(*path)});
  }
  const desktop::WallpaperStyle style = StoredStyle();
  if (!backend_->SetEach(paths, style)) {
    return false;
  }
  knownStyle_ = style;
  knownDesktop_ = desktop::LexicallyNormal(*files_.PosixPathOf(windowName));
  return true;
}

desktop::WallpaperStyle PosixDesktopWallpaper::StoredStyle() {
  return desktop::StyleFromProfile(
      profiles_.GetString(kSystemProfile, "Desktop", "TileWallpaper", "", kStyleBuffer),
      profiles_.GetString(kSystemProfile, "Desktop", "WallpaperStyle", "", kStyleBuffer));
}

// The stored name designates the picture on the desktop: the same file, however spelled.
bool PosixDesktopWallpaper::StoresDesktopWallpaper(const std::string& stored) const {
  if (stored.empty() || knownDesktop_.empty()) {
    return stored.empty() && knownDesktop_.empty();
  }
  const std::optional<std::string> path = files_.PosixPathOf(stored);
  return path && desktop::LexicallyNormal(*path) == knownDesktop_;
}

// The desktop's picture, and its layout in desktopStyle_, in one time budget.
std::optional<std::string> PosixDesktopWallpaper::CurrentOnDesktop() {
  const desktop::ChangeTime time(tools_, kChangeTime);
  if (!backend_) {
    return std::nullopt;
  }
  std::optional<std::string> current =
      windowScreen_.empty() ? backend_->Current() : backend_->CurrentOn(windowScreen_);
  desktopStyle_ = current && !current->empty() ? backend_->ShownStyle() : std::nullopt;
  return current;
}

// The other style entries stay as they are when the profile already says the style.
void PosixDesktopWallpaper::AdoptDesktopStyle(desktop::WallpaperStyle style) {
  knownStyle_ = style;
  if (StoredStyle() == style) {
    return;
  }
  const desktop::ProfileStyle values = desktop::ProfileValuesOf(style);
  if (profiles_.WriteString(kSystemProfile, "Desktop", "TileWallpaper", values.tileWallpaper)) {
    profiles_.WriteString(kSystemProfile, "Desktop", "WallpaperStyle", values.wallpaperStyle);
  }
}

// Stores the name of the desktop's picture, unless the profile names that file already in its
// own spelling; true when the stored name changed.
bool PosixDesktopWallpaper::AdoptDesktopWallpaper(const std::string& current) {
  knownDesktop_ = current;
  std::string stored = StoredWallpaper();
  if (!StoresDesktopWallpaper(stored)) {
    stored = current.empty() ? std::string() : paths_.ToWindows(current);
    if (!profiles_.WriteString(kSystemProfile, "Desktop", "Wallpaper", stored)) {
      return false;
    }
  }
  const bool changed = stored != knownWallpaper_;
  knownWallpaper_ = std::move(stored);
  return changed;
}

}  // namespace fondex::platform::posix
