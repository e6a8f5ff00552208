#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fondex::platform::posix::desktop {

// How the picture covers the screen, as the system profile's [Desktop] TileWallpaper and
// WallpaperStyle say: fitted shows the whole picture, its proportions kept, with bands beside
// it; filled covers the screen, its proportions kept, the picture cut.
enum class WallpaperStyle { kCentred, kTiled, kStretched, kFitted, kFilled };

// TileWallpaper 1 tiles, whatever the style; else WallpaperStyle 2 stretches, 6 fits and 10
// fills; anything else centres. Values are read as the profile's integers are: leading blanks, then
// digits.
WallpaperStyle StyleFromProfile(std::string_view tileWallpaper, std::string_view wallpaperStyle);

// The system profile's TileWallpaper and WallpaperStyle that say the style.
struct ProfileStyle {
  const char* tileWallpaper;
  const char* wallpaperStyle;
};
ProfileStyle ProfileValuesOf(WallpaperStyle style);

// The common name of the style in the tools' options: "center", "tile", "stretch", "fit" or
// "fill".
const char* StyleModeName(WallpaperStyle style);

// The style a desktop's word names, given how it names each; nothing for a word of no style.
std::optional<WallpaperStyle> StyleOfWord(std::string_view word,
                                          const char* (*wordOf)(WallpaperStyle));

// Something that may tell of a change made to the desktop's wallpaper by another program.
class ChangeFeed {
 public:
  virtual ~ChangeFeed() = default;
  // Readable when something came; -1 when there is nothing (more) to watch.
  virtual int Descriptor() const = 0;
  // Takes in what came, without waiting; true when it may concern the wallpaper.
  virtual bool Drain() = 0;
};

// One screen's picture, as a desktop back-end takes it: the screen's name, an absolute path.
struct ScreenPath {
  std::string screen;
  std::string path;
  bool operator==(const ScreenPath&) const = default;
};

// One desktop's way of showing a wallpaper. Paths are absolute POSIX paths.
class DesktopBackend {
 public:
  virtual ~DesktopBackend() = default;

  // Puts the bitmap on the desktop; false when the desktop or its tool refused.
  virtual bool Set(const std::string& path, WallpaperStyle style) = 0;

  // Leaves a plain desktop; false when the desktop or its tool refused.
  virtual bool Clear() = 0;

  // The wallpaper the desktop shows now, lexically normal ("" for a plain desktop); nothing when
  // this desktop cannot say.
  virtual std::optional<std::string> Current() = 0;

  // How the desktop laid out the picture the last Current() read, as the user may have chosen in
  // its own settings (read with the picture, at no further cost); nothing when it could not say,
  // shows none, or lays it out in a way of its own.
  std::optional<WallpaperStyle> ShownStyle() const { return shownStyle_; }

  // Starts listening to the desktop; nothing when it cannot tell of changes.
  virtual std::unique_ptr<ChangeFeed> Follow() = 0;

  // The screens this desktop can give a picture of their own, named as it names them, in its
  // order; none when it shows one picture everywhere.
  virtual std::vector<std::string> Screens() { return {}; }

  // Puts each picture on its screen, one of those Screens() named; the screens not named keep
  // theirs. False when the desktop or its tool refused; a desktop that names no screens takes
  // none.
  virtual bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
    static_cast<void>(pictures);
    static_cast<void>(style);
    return false;
  }

  // The picture one screen shows, as Current() says for the desktop.
  virtual std::optional<std::string> CurrentOn(const std::string& screen) {
    static_cast<void>(screen);
    return Current();
  }

 protected:
  std::optional<WallpaperStyle> shownStyle_;
};

}  // namespace fondex::platform::posix::desktop
