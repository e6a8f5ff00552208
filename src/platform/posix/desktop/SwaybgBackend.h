#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// What a swaybg command line draws: its first picture (nothing for a plain colour), colour and
// mode.
struct SwaybgDrawing {
  std::optional<std::string> picture;
  std::optional<std::string> colour;
  std::optional<std::string> mode;  // the picture's
};
SwaybgDrawing DrawingOf(const Argv& argv);

// sway, labwc and the other compositors with a background layer: the wallpaper is a `swaybg`
// process of the session, the one sway starts for itself or the one a session's start-up file
// starts (labwc's autostart). The newest draws above the others and is what the screen shows.
// A change starts the new drawer and, once it draws, stops every earlier one of the session, so
// that one draws at a time and the screen never shows a gap. The new one keeps the session's
// colour (a plain desktop is that colour), outlives this program, as a wallpaper does, and ends
// with the session.
class SwaybgBackend : public DesktopBackend {
 public:
  explicit SwaybgBackend(ProcessRunner& runner) : runner_(runner) {}

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool Replace(const Argv& argv);
  std::string SessionColour();
  std::optional<SwaybgDrawing> Shown();

  ProcessRunner& runner_;
};

}  // namespace fondex::platform::posix::desktop
