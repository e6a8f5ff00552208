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

// The system's desktop-wallpaper service.
class DesktopWallpaper {
 public:
  virtual ~DesktopWallpaper() = default;

  // Sets the wallpaper to the named picture, or clears it for an empty name; stores the name in
  // the system profile's [Desktop] Wallpaper and notifies every listener before returning.
  // False when the wallpaper could not be set (nothing stored, nothing notified).
  virtual bool SetDeskWallpaper(const std::string& name) = 0;

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
