#pragma once

#include <string>
#include <vector>

namespace fondex::platform {

// Receives the system's profile-change notification.
class ProfileChangeListener {
 public:
  virtual ~ProfileChangeListener() = default;
  virtual void ProfileChanged() = 0;
};

// One screen's picture: the screen as the desktop names it ("HDMI-1"), the picture's name.
struct ScreenWallpaper {
  std::string screen;
  std::string name;
  bool operator==(const ScreenWallpaper&) const = default;
};

// The system's desktop-wallpaper service.
class DesktopWallpaper {
 public:
  virtual ~DesktopWallpaper() = default;

  // Sets the wallpaper to the named picture, or clears it for an empty name; stores the name in
  // the system profile's [Desktop] Wallpaper and notifies every listener before returning.
  // False when the wallpaper could not be set (nothing stored, nothing notified).
  virtual bool SetDeskWallpaper(const std::string& name) = 0;

  // Whether this system can show a picture of its own on each screen at all.
  virtual bool SetsEachScreen() const { return false; }

  // The screens that can each show a picture of their own, as the desktop names them, in its
  // order; fewer than two when one picture covers them all.
  virtual std::vector<std::string> Screens() { return {}; }

  // Puts each picture on its screen, the other screens keeping theirs. The picture of
  // `windowScreen`, which is one of them, is the wallpaper: it is stored and notified as
  // SetDeskWallpaper does. False when any was refused; the stored name is then unchanged.
  virtual bool SetScreenWallpapers(const std::vector<ScreenWallpaper>& pictures,
                                   const std::string& windowScreen) {
    for (const ScreenWallpaper& picture : pictures) {
      if (picture.screen == windowScreen) {
        return SetDeskWallpaper(picture.name);
      }
    }
    return false;
  }

  // From now on the wallpaper is the picture of `screen`, one of Screens(): where the desktop
  // can say which picture that screen shows and it is not the stored one, it is stored and the
  // listeners are notified once. Nothing where one picture covers the screens.
  virtual void FollowScreen(const std::string& screen) { static_cast<void>(screen); }

  void AddListener(ProfileChangeListener* listener) { listeners_.push_back(listener); }
  void RemoveListener(ProfileChangeListener* listener) { std::erase(listeners_, listener); }

  // Bitmaps alone are accepted unless the user asked for JPEG, PNG and WebP pictures as well.
  void AcceptOtherFormats(bool accept) { otherFormats_ = accept; }
  bool AcceptsOtherFormats() const { return otherFormats_; }

 protected:
  void NotifyListeners() const {
    const auto listeners = listeners_;
    for (ProfileChangeListener* listener : listeners) {
      listener->ProfileChanged();
    }
  }

 private:
  std::vector<ProfileChangeListener*> listeners_;
  bool otherFormats_ = false;
};

// Changes made by other programs, to be polled by the event loop when its descriptor is
// readable; each outside change notifies the desktop service's listeners once.
class OutsideChangeSource {
 public:
  virtual ~OutsideChangeSource() = default;
  virtual int Descriptor() const = 0;  // -1 when there is nothing to watch
  virtual void Dispatch() = 0;
};

}  // namespace fondex::platform
