#include "engine/WallpaperHistory.h"

namespace fondex {

void WallpaperHistory::Put(const std::string& name) {
  if (stepTarget_) {
    names_.resize(*stepTarget_);
    stepTarget_.reset();
  }
  if (!names_.empty() && names_.back() == name) {
    return;  // the same wallpaper again is not a step to go back over
  }
  names_.push_back(name);
  if (names_.size() > kLongest) {
    names_.erase(names_.begin());
  }
}

std::optional<std::string> WallpaperHistory::StepBack(const std::string& current) {
  // The newest is the current one unless the desktop has changed since (plain, or changed by
  // another program): then the newest is the one to put back.
  const std::size_t newer = !names_.empty() && names_.back() == current ? 1 : 0;
  if (names_.size() <= newer) {
    return std::nullopt;
  }
  stepTarget_ = names_.size() - newer - 1;
  return names_[*stepTarget_];
}

void WallpaperHistory::EndStepBack(bool vanished) {
  if (stepTarget_ && vanished) {
    names_.resize(*stepTarget_);
  }
  stepTarget_.reset();
}

}  // namespace fondex
