#include "platform/posix/desktop/GSettingsBackend.h"

#include <algorithm>
#include <vector>

#include "platform/posix/FileIo.h"
#include "platform/posix/desktop/ChangeFeeds.h"
#include "platform/posix/desktop/PlainPicture.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "gsettings";
constexpr const char* kDarkPicture = "picture-uri-dark";
// Where GNOME keeps the style that decides which of its two pictures shows.
constexpr const char* kInterfaceSchema = "org.gnome.desktop.interface";
constexpr const char* kColourScheme = "color-scheme";
// The desktop's option that lays one picture over all its screens, as they lie.
constexpr const char* kSpanned = "spanned";

const char* OptionsOf(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return "wallpaper";
    case WallpaperStyle::kStretched:
      return "stretched";
    case WallpaperStyle::kFitted:
      return "scaled";
    case WallpaperStyle::kFilled:
      return "zoom";
    case WallpaperStyle::kCentred:
      break;
  }
  return "centered";
}

bool ConcernsPicture(std::string_view line) {
  return line.starts_with("picture-uri:") || line.starts_with("picture-uri-dark:") ||
         line.starts_with("picture-options:") || line.starts_with("picture-filename:");
}

bool ConcernsColourScheme(std::string_view line) {
  return line.starts_with("color-scheme:");
}

}  // namespace

GSettingsBackend::GSettingsBackend(ProcessRunner& runner, GSettingsSchema schema,
                                   std::string plainPicture, std::optional<SpannedScreens> spanned)
    : runner_(runner),
      schema_(schema),
      plainPicture_(std::move(plainPicture)),
      spanned_(std::move(spanned)) {}

bool GSettingsBackend::Set(const std::string& path, WallpaperStyle style) {
  return ShowFile(path, OptionsOf(style));
}

bool GSettingsBackend::ShowFile(const std::string& path, const char* options) {
  if (!schema_.pictureIsUri) {
    // The key holds UTF-8 text: another path could not reach the desktop as that same file.
    return IsValidUtf8(path) && SetKey("picture-filename", spelling_.For(path)) &&
           SetKey("picture-options", options);
  }
  const std::string uri = FileUri(spelling_.For(path));
  return SetKey("picture-uri", uri) && (!HasKey(kDarkPicture) || SetKey(kDarkPicture, uri)) &&
         SetKey("picture-options", options);
}

std::vector<std::string> GSettingsBackend::Screens() {
  return spanned_ ? spanned_->Names() : std::vector<std::string>{};
}

// The screens not named keep what they show: their recorded pictures, or the desktop's own.
bool GSettingsBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  if (!spanned_) {
    return false;
  }
  const std::optional<std::string> shown = ShownPicture();
  const std::optional<Composition> composed =
      spanned_->Compose(pictures, shown.value_or(""), style, Background());
  if (!composed) {
    return false;
  }
  if (!ShowFile(composed->picture, kSpanned)) {
    spanned_->Discard(*composed);
    return false;
  }
  return spanned_->Keep(*composed);
}

std::optional<std::string> GSettingsBackend::CurrentOn(const std::string& screen) {
  std::optional<std::string> shown = ShownPicture();
  if (shown && spanned_) {
    return spanned_->On(*shown, screen).value_or(*shown);
  }
  return shown;
}

bool GSettingsBackend::Clear() {
  if (!plainPicture_.empty()) {
    return ShowPlainPicture();
  }
  return schema_.pictureIsUri ? SetKey("picture-options", "none") : SetKey("picture-filename", "");
}

// The desktop's own colour, as a picture stretched over the screen.
bool GSettingsBackend::ShowPlainPicture() {
  return WriteFileAtomically(plainPicture_, OnePixelBitmap(Background())) &&
         Set(plainPicture_, WallpaperStyle::kStretched);
}

RgbColour GSettingsBackend::Background() {
  return ParseHexColour(GetKey("primary-color").value_or("")).value_or(kBlack);
}

std::optional<std::string> GSettingsBackend::Current() {
  std::optional<std::string> shown = ShownPicture();
  if (shown && spanned_) {
    return spanned_->Latest(*shown).value_or(*shown);
  }
  return shown;
}

// The desktop's picture, lexically normal; "" for none.
std::optional<std::string> GSettingsBackend::ShownPicture() {
  std::optional<std::string> picture = CurrentPicture();
  if (!picture) {
    return std::nullopt;
  }
  spelling_.Seen(*picture);
  const std::string shown = picture->empty() ? std::string() : LexicallyNormal(*picture);
  return shown == LexicallyNormal(plainPicture_) ? std::string() : shown;
}

std::unique_ptr<ChangeFeed> GSettingsBackend::Follow() {
  std::unique_ptr<ChangeFeed> pictures =
      FollowMonitor(runner_, {kTool, "monitor", schema_.id}, ConcernsPicture);
  if (!pictures || !HasKey(kDarkPicture)) {
    return pictures;
  }
  // Turning the dark style on or off changes the picture on the screen too.
  std::vector<std::unique_ptr<ChangeFeed>> feeds;
  feeds.push_back(std::move(pictures));
  if (auto scheme = FollowMonitor(runner_, {kTool, "monitor", kInterfaceSchema, kColourScheme},
                                  ConcernsColourScheme)) {
    feeds.push_back(std::move(scheme));
  }
  return std::make_unique<MergedFeed>(std::move(feeds));
}

// The picture's path as the desktop spells it, "" for none.
std::optional<std::string> GSettingsBackend::CurrentPicture() {
  const std::optional<std::string> options = GetKey("picture-options");
  shownStyle_ = options ? StyleOfWord(*options, OptionsOf) : std::nullopt;
  if (!schema_.pictureIsUri) {
    return GetKey("picture-filename");
  }
  const std::optional<std::string> uri = GetKey(ShowsDarkPicture() ? kDarkPicture : "picture-uri");
  if (!options || !uri) {
    return std::nullopt;
  }
  return *options == "none" ? std::string() : PathOfFileUri(*uri).value_or(std::string());
}

// The dark style shows the dark picture, on a desktop whose schema has one.
bool GSettingsBackend::ShowsDarkPicture() {
  if (!schema_.showsDarkPicture || !HasKey(kDarkPicture)) {
    return false;
  }
  const ToolResult scheme = runner_.Run({kTool, "get", kInterfaceSchema, kColourScheme});
  return scheme.succeeded && ParseGVariantString(scheme.output) == "prefer-dark";
}

bool GSettingsBackend::SetKey(const char* key, const std::string& value) {
  return runner_.Run({kTool, "set", schema_.id, key, GVariantStringLiteral(value)}).succeeded;
}

std::optional<std::string> GSettingsBackend::GetKey(const char* key) {
  const ToolResult result = runner_.Run({kTool, "get", schema_.id, key});
  return result.succeeded ? ParseGVariantString(result.output) : std::nullopt;
}

bool GSettingsBackend::HasKey(const char* key) {
  if (!keys_) {
    const ToolResult result = runner_.Run({kTool, "list-keys", schema_.id});
    keys_ = result.succeeded ? SplitLines(result.output) : std::vector<std::string>();
  }
  return std::ranges::find(*keys_, key) != keys_->end();
}

}  // namespace fondex::platform::posix::desktop
