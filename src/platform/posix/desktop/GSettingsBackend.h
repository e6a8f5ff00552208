#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"
#include "platform/posix/desktop/SpannedScreens.h"

namespace fondex::platform::posix::desktop {

// Where a GSettings desktop keeps its background.
struct GSettingsSchema {
  const char* id;
  // True: the picture is the "file://" URI of picture-uri (and picture-uri-dark where the schema
  // has it, shown in the dark style), and picture-options "none" leaves a plain desktop. False: it
  // is the plain path of picture-filename, and an empty one leaves a plain desktop.
  bool pictureIsUri;
  // Whether the desktop shows picture-uri-dark in the dark style.
  bool showsDarkPicture;
};

inline constexpr GSettingsSchema kGnomeSchema{"org.gnome.desktop.background", true, true};
inline constexpr GSettingsSchema kBudgieSchema{"org.gnome.desktop.background", true, false};
inline constexpr GSettingsSchema kCinnamonSchema{"org.cinnamon.desktop.background", true, false};
inline constexpr GSettingsSchema kMateSchema{"org.mate.background", false, false};

// GNOME and Unity; Budgie; Cinnamon; MATE: through the `gsettings` tool.
class GSettingsBackend : public DesktopBackend {
 public:
  // `plainPicture`: where a desktop that never redraws a background of its colour alone (Budgie's
  // window manager) gets a picture of that colour for a plain desktop; "" where a plain desktop
  // is asked for as such. `spanned`: where each screen gets a picture of its own, as part of one
  // picture over all the screens; none where the desktop shows one picture everywhere.
  GSettingsBackend(ProcessRunner& runner, GSettingsSchema schema, std::string plainPicture = {},
                   std::optional<SpannedScreens> spanned = std::nullopt);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  // While the composed picture shows, the picture given last.
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

  std::vector<std::string> Screens() override;
  bool SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) override;
  std::optional<std::string> CurrentOn(const std::string& screen) override;

 private:
  bool ShowFile(const std::string& path, const char* options);
  std::optional<std::string> ShownPicture();
  RgbColour Background();
  bool SetKey(const char* key, const std::string& value);
  std::optional<std::string> GetKey(const char* key);
  bool HasKey(const char* key);
  std::optional<std::string> CurrentPicture();
  bool ShowsDarkPicture();
  bool ShowPlainPicture();

  ProcessRunner& runner_;
  GSettingsSchema schema_;
  std::string plainPicture_;
  std::optional<SpannedScreens> spanned_;
  FreshSpelling spelling_;
  std::optional<std::vector<std::string>> keys_;
};

}  // namespace fondex::platform::posix::desktop
