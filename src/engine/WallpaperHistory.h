#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fondex {

// The wallpapers the program put on the desktop during this run, newest last, so that the user
// can go back to one the timer took away too soon. Going back and then changing by any other
// way starts the history afresh from there, as a browser's does.
class WallpaperHistory {
 public:
  static constexpr std::size_t kLongest = 50;

  // A wallpaper now on the desktop. During a step back it is the step's end: the newer ones go.
  void Put(const std::string& name);

  // Starts a step back from the wallpaper `current` (empty for a plain desktop): the one to put
  // back, or nothing when there is none.
  std::optional<std::string> StepBack(const std::string& current);
  // Ends the step: when its wallpaper has gone from the disk it leaves the history, with the
  // newer ones; when it was refused, the history stays as it was.
  void EndStepBack(bool vanished);

  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
  // The index of the wallpaper a step back is putting on the desktop.
  std::optional<std::size_t> stepTarget_;
};

}  // namespace fondex
