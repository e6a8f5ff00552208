#pragma once

#include <optional>
#include <string>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// What a swaybg command line gives one output ("*": every output given nothing of its own).
struct SwaybgOutput {
  std::string output{};
  std::optional<std::string> picture{};
  std::optional<std::string> colour{};
  std::optional<std::string> mode{};  // the picture's
  bool operator==(const SwaybgOutput&) const = default;
};

// The outputs a command line draws on, in the order first named, as swaybg reads it: options
// before any -o are for "*", an output's options are merged, the later winning, and one with
// neither picture nor colour draws nothing and is left out.
std::vector<SwaybgOutput> OutputsOf(const Argv& argv);

// How a session's outputs are listed: by sway itself, or through the output management of the
// other wlroots compositors.
enum class OutputLister { kSway, kWlroots };

// The names of the enabled outputs in what the lister printed, in its order.
std::vector<std::string> OutputNames(OutputLister lister, const std::string& listed);

// sway, labwc and the other compositors with a background layer: the wallpaper is a `swaybg`
// process of the session, the one sway starts for itself or the one a session's start-up file
// starts (labwc's autostart). The newest draws above the others and is what the screen shows.
// A change starts the new drawer and, once it draws, stops every earlier one of the session, so
// that one draws at a time and the screen never shows a gap. The new one keeps the session's
// colour (a plain desktop is that colour), outlives this program, as a wallpaper does, and ends
// with the session. With a picture per output, one drawer holds them all (`-o OUTPUT -i FILE`
// repeated), and what each output shows is read from the session's drawers' command lines.
class SwaybgBackend : public DesktopBackend {
 public:
  explicit SwaybgBackend(ProcessRunner& runner, OutputLister lister = OutputLister::kWlroots)
      : runner_(runner), lister_(lister) {}

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;
  std::vector<std::string> Screens() override;
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  std::optional<std::string> CurrentOn(const std::string& screen) override;

 private:
  bool Replace(const Argv& argv);
  std::string SessionColour();
  std::optional<SwaybgOutput> Shown();
  std::optional<std::string> Reported(const std::optional<SwaybgOutput>& shown);

  ProcessRunner& runner_;
  OutputLister lister_;
};

}  // namespace fondex::platform::posix::desktop
