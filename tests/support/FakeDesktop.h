#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/DesktopWallpaper.h"
#include "support/FakeProfileFiles.h"

namespace fondex::test {

// The desktop-wallpaper service: a set stores the name in WIN.INI [Desktop] Wallpaper and
// notifies the listeners before it returns, as the system does.
class FakeDesktop : public platform::DesktopWallpaper {
 public:
  static constexpr const char* kSystemProfile = "WIN.INI";

  explicit FakeDesktop(FakeProfileFiles& profiles) : profiles_(profiles) {}

  bool SetDeskWallpaper(const std::string& name) override;

  // Screens of their own, each keeping its picture until it is given another.
  bool SetsEachScreen() const override { return setsEachScreen_; }
  std::vector<std::string> Screens() override { return screens_; }
  bool SetScreenWallpapers(const std::vector<platform::ScreenWallpaper>& pictures,
                           const std::string& windowScreen) override;
  // The followed screen's picture becomes the stored one when it is another.
  void FollowScreen(const std::string& screen) override;
  void SetScreens(std::vector<std::string> screens) { screens_ = std::move(screens); }
  const std::vector<std::string>& FollowedScreens() const { return followed_; }
  void CannotSetEachScreen() { setsEachScreen_ = false; }
  // What each screen shows, in the order of Screens(); "" for one never set.
  std::vector<std::string> ScreenPictures() const;
  // Every list of pictures the program asked for, refused ones included.
  const std::vector<std::vector<platform::ScreenWallpaper>>& ScreenRequests() const {
    return screenRequests_;
  }

  // Every name the program asked for, refused ones included.
  const std::vector<std::string>& Requests() const { return requests_; }
  // The name on the desktop now; empty for a plain desktop.
  const std::string& Wallpaper() const { return wallpaper_; }
  int Notifications() const { return notifications_; }

  void RefuseAll(bool refuse) { refuseAll_ = refuse; }
  // Refuses the names for which the predicate holds (a file that is no loadable bitmap, ...).
  void RefuseWhen(std::function<bool(const std::string&)> refuses) {
    refuses_ = std::move(refuses);
  }

  // Another program changes the wallpaper: WIN.INI is written and the listeners are notified.
  void SimulateOutsideChange(const std::string& name);

 private:
  void Store(const std::string& name);
  bool Refuses(const std::string& name) const;

  FakeProfileFiles& profiles_;
  std::vector<std::string> requests_;
  std::string wallpaper_;
  int notifications_ = 0;
  bool refuseAll_ = false;
  std::function<bool(const std::string&)> refuses_;
  bool setsEachScreen_ = true;
  std::vector<std::string> screens_;
  std::vector<std::string> followed_;
  std::vector<platform::ScreenWallpaper> shown_;
  std::vector<std::vector<platform::ScreenWallpaper>> screenRequests_;
};

}  // namespace fondex::test
