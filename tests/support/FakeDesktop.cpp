#include "support/FakeDesktop.h"

namespace fondex::test {

bool FakeDesktop::SetDeskWallpaper(const std::string& name) {
  requests_.push_back(name);
  if (refuseAll_ || (refuses_ && refuses_(name))) {
    return false;
  }
  Store(name);
  return true;
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
