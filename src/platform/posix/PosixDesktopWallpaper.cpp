#include "platform/posix/PosixDesktopWallpaper.h"

#include "platform/posix/BitmapHeader.h"

namespace fondex::platform::posix {
namespace {

constexpr std::size_t kMaxNameLength = 259;  // the system's name buffer less its terminator
constexpr std::size_t kStoredValueBuffer = 65536;

}  // namespace

PosixDesktopWallpaper::PosixDesktopWallpaper(FileSystem& files, ProfileFiles& profiles)
    : files_(files), profiles_(profiles), knownWallpaper_(StoredWallpaper()) {}

bool PosixDesktopWallpaper::SetDeskWallpaper(const std::string& name) {
  if (name.size() > kMaxNameLength || (!name.empty() && !IsLoadableBitmap(name)) ||
      !profiles_.WriteString(kSystemProfile, "Desktop", "Wallpaper", name)) {
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

bool PosixDesktopWallpaper::IsLoadableBitmap(const std::string& name) {
  const auto bytes = files_.ReadFile(name);
  return bytes && ReadBitmapLayout(*bytes).has_value();
}

std::string PosixDesktopWallpaper::StoredWallpaper() {
  return profiles_.GetString(kSystemProfile, "Desktop", "Wallpaper", "", kStoredValueBuffer);
}

}  // namespace fondex::platform::posix
