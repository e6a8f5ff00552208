#include "mainwindow/Fondexmf.h"

namespace fondex {

void TFondexMainForm::PreviousWallpaperClick() {
  const std::optional<std::string> previous = History.StepBack(CurrentWallpaper);
  if (!previous) {
    return;
  }
  // As a typed name: a file gone since is reported as missing, and the desktop left plain.
  try {
    ApplyWallpaper(*previous);
  } catch (...) {
    History.EndStepBack(false);
    throw;
  }
  History.EndStepBack(NoWallpaper);
}

}  // namespace fondex
