#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

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
  // is asked for as such.
  GSettingsBackend(ProcessRunner& runner, GSettingsSchema schema, std::string plainPicture = {});

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  bool SetKey(const char* key, const std::string& value);
  std::optional<std::string> GetKey(const char* key);
  bool HasKey(const char* key);
  std::optional<std::string> CurrentPicture();
  bool ShowsDarkPicture();
  bool ShowPlainPicture();

  ProcessRunner& runner_;
  GSettingsSchema schema_;
  std::string plainPicture_;
  FreshSpelling spelling_;
  std::optional<std::vector<std::string>> keys_;
};

}  // namespace fondex::platform::posix::desktop
