#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/PlainPicture.h"
#include "platform/posix/desktop/ScreenPicture.h"
#include "platform/posix/desktop/XMonitors.h"

namespace fondex::platform::posix::desktop {

// One picture for all the screens, each screen's picture in the style inside that screen's
// rectangle, the picture as large as the screens reach from the top-left corner; a screen
// without a picture, and what lies outside every screen, in the background colour. The bytes
// of its PNG file; nothing when a picture cannot be read or the whole would be too large.
std::optional<std::string> ComposeScreens(const std::vector<XMonitor>& screens,
                                          const std::vector<ScreenPath>& pictures,
                                          WallpaperStyle style, RgbColour background);

// What a composed picture shows: its file, and each screen's picture in the order they were
// given, the latest last.
struct Composition {
  std::string picture;
  std::vector<ScreenPath> screens;
  bool operator==(const Composition&) const = default;
};

// The record's text, and back; nothing for a text that is not a record. A name or a path with
// a tab or a line end cannot be recorded.
std::optional<std::string> CompositionText(const Composition& composition);
std::optional<Composition> ParseComposition(std::string_view text);

// The pictures of a desktop that shows one picture over all its screens: composed into a folder
// of their own, beside the record of which picture is on which screen, which outlives the
// program.
class SpannedScreens {
 public:
  using AreaReader = std::function<std::vector<XMonitor>()>;

  SpannedScreens(std::string folder, AreaReader areas);

  // The screens' names, in the display server's order, when there are two or more.
  std::vector<std::string> Names() const;

  // A new picture of every screen: the named screens take the given pictures, the others keep
  // what they show, `shown` being the desktop's picture now ("" for none). Nothing when a screen
  // is unknown or a picture cannot be drawn or written.
  std::optional<Composition> Compose(const std::vector<ScreenPath>& pictures,
                                     const std::string& shown, WallpaperStyle style,
                                     RgbColour background) const;
  // Once the desktop shows it: recorded, and the composed pictures before it removed.
  bool Keep(const Composition& composition) const;
  // When the desktop did not take it.
  void Discard(const Composition& composition) const;

  // What the desktop's picture `shown` shows: on one screen, or the picture given last; nothing
  // when it is not the recorded composed picture.
  std::optional<std::string> On(const std::string& shown, const std::string& screen) const;
  std::optional<std::string> Latest(const std::string& shown) const;

 private:
  std::optional<Composition> Record() const;
  std::optional<Composition> Recorded(const std::string& shown) const;
  std::string NewPictureName() const;

  std::string folder_;
  AreaReader areas_;
};

}  // namespace fondex::platform::posix::desktop
