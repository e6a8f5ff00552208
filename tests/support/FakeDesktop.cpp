#include "support/FakeDesktop.h"

#include <algorithm>

namespace fondex::test {

bool FakeDesktop::SetDeskWallpaper(const std::string& name) {
  requests_.push_back(name);
  if (Refuses(name)) {
    return false;
  }
  // One picture, or a plain desktop, on every screen.
  shown_.clear();
  for (const std::string& screen : screens_) {
    shown_.push_back({screen, name});
  }
  Store(name);
  return true;
}

bool FakeDesktop::SetScreenWallpapers(const std::vector<platform::ScreenWallpaper>& pictures,
                                      const std::string& windowScreen) {
  screenRequests_.push_back(pictures);
  const auto window = std::ranges::find(pictures, windowScreen, &platform::ScreenWallpaper::screen);
  if (window == pictures.end() ||
      std::ranges::any_of(pictures, [&](const auto& p) { return Refuses(p.name); })) {
    return false;
  }
  for (const platform::ScreenWallpaper& picture : pictures) {
    std::erase_if(shown_, [&](const auto& s) { return s.screen == picture.screen; });
    shown_.push_back(picture);
  }
  Store(window->name);
  return true;
}

void FakeDesktop::FollowScreen(const std::string& screen) {
  followed_.push_back(screen);
  const auto shown = std::ranges::find(shown_, screen, &platform::ScreenWallpaper::screen);
  if (shown != shown_.end() && shown->name != wallpaper_) {
    Store(shown->name);
  }
}

std::vector<std::string> FakeDesktop::ScreenPictures() const {
  std::vector<std::string> pictures;
  for (const std::string& screen : screens_) {
    const auto shown = std::ranges::find(shown_, screen, &platform::ScreenWallpaper::screen);
    pictures.push_back(shown == shown_.end() ? std::string() : shown->name);
  }
  return pictures;
}

bool FakeDesktop::Refuses(const std::string& name) const {
  return refuseAll_ || (refuses_ && refuses_(name));
}

void FakeDesktop::SimulateOutsideChange(const std::string& name) {
  Store(name);
}

void FakeDesktop::Store(const std::string& name) {
  wallpaper_ = name;
  profiles_.WriteString(kSystemProfile, "Desktop", "Wallpaper", name);
  ++notifications_;
  NotifyListeners();
}

}  // namespace fondex::test
