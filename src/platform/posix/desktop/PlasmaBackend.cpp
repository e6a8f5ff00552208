#include "platform/posix/desktop/PlasmaBackend.h"

#include <map>
#include <vector>

#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kSend = "dbus-send";
constexpr const char* kImagePlugin = "org.kde.image";

// Plasma's FillMode: 0 stretch, 1 fit, 2 crop (filled), 3 tile, 6 pad (centred).
int FillModeOf(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return 3;
    case WallpaperStyle::kStretched:
      return 0;
    case WallpaperStyle::kFitted:
      return 1;
    case WallpaperStyle::kFilled:
      return 2;
    case WallpaperStyle::kCentred:
      break;
  }
  return 6;
}

Argv ShellCall(std::string method, std::string argument) {
  return {kSend,
          "--session",
          "--print-reply",
          "--dest=org.kde.plasmashell",
          "/PlasmaShell",
          "org.kde.PlasmaShell." + std::move(method),
          std::move(argument)};
}

std::string_view Trimmed(std::string_view line) {
  const std::size_t start = line.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

// The string after `string "` up to the last quote of the line.
std::optional<std::string> QuotedString(std::string_view line) {
  constexpr std::string_view kString = "string \"";
  const std::size_t start = line.find(kString);
  if (start == std::string_view::npos || !line.ends_with('"') ||
      line.size() < start + kString.size() + 1) {
    return std::nullopt;
  }
  const std::size_t from = start + kString.size();
  return std::string(line.substr(from, line.size() - 1 - from));
}

// The string entries of a dictionary as `dbus-send --print-reply` prints it: a line
// `string "key"` followed by a line `variant ... string "value"`.
std::map<std::string, std::string> StringEntries(std::string_view reply) {
  std::map<std::string, std::string> entries;
  std::optional<std::string> key;
  while (!reply.empty()) {
    const std::size_t end = std::min(reply.find('\n'), reply.size());
    const std::string_view line = Trimmed(reply.substr(0, end));
    reply.remove_prefix(std::min(end + 1, reply.size()));
    if (key && line.starts_with("variant")) {
      if (auto value = QuotedString(line)) {
        entries[*key] = std::move(*value);
      }
    }
    key = line.starts_with("string \"") ? QuotedString(line) : std::nullopt;
  }
  return entries;
}

// What a script printed, as `dbus-send --print-reply` shows the returned string; nothing when the
// shell refused the script.
std::optional<std::string> PrintedByScript(const ToolResult& reply) {
  constexpr std::string_view kString = "string \"";
  const std::size_t start = reply.output.find(kString);
  const std::size_t end = reply.output.rfind('"');
  if (!reply.succeeded || start == std::string::npos || end < start + kString.size()) {
    return std::nullopt;
  }
  std::string printed = reply.output.substr(start + kString.size(), end - start - kString.size());
  while (!printed.empty() && printed.back() == '\n') {
    printed.pop_back();
  }
  return printed;
}

bool IsWallpaperSignal(std::string_view line) {
  return line.find("member=wallpaperChanged") != std::string_view::npos;
}

// The statements that give desktop `d` the picture of a URI, a script's expression.
std::string ImageWrites(const std::string& uri, WallpaperStyle style) {
  return "d.wallpaperPlugin = '" + std::string(kImagePlugin) +
         "'; d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General'); "
         "d.writeConfig('Image', " +
         uri + "); d.writeConfig('FillMode', " + std::to_string(FillModeOf(style)) + "); ";
}

// Prints the plugin and picture of desktop `d`.
constexpr const char* kReadDesktop =
    "d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General'); "
    "print(d.wallpaperPlugin + '|' + d.readConfig('Image'));";

// The desktop of a screen named as its connector, null when it shows none. The shell wraps a
// missing desktop too, as one of no screen.
constexpr const char* kDesktopOn =
    "function desktopOn(name) { var s = screenForConnector(name); var d = s < 0 ? null : "
    "desktopForScreen(s); return d && d.screen == s ? d : null; } ";

std::string Same(std::string_view text) {
  return std::string(text);
}

std::string ArrayOf(const std::vector<std::string>& items,
                    std::string (*element)(std::string_view)) {
  std::string array = "[";
  for (const std::string& item : items) {
    array += (array.size() > 1 ? ", " : "") + element(item);
  }
  return array + "]";
}

}  // namespace

std::string PlasmaWallpaperScript(const std::string& path, WallpaperStyle style) {
  return "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; " +
         ImageWrites(JavaScriptStringLiteral(FileUri(path)), style) + "}";
}

std::string PlasmaPlainScript() {
  return "var all = desktops(); for (var i = 0; i < all.length; i++) { "
         "all[i].wallpaperPlugin = 'org.kde.color'; }";
}

std::string PlasmaReadScript() {
  return "var d = desktops()[0]; " + std::string(kReadDesktop);
}

std::string PlasmaScreensScript(const std::vector<std::string>& names) {
  return std::string(kDesktopOn) + "var names = " + ArrayOf(names, JavaScriptStringLiteral) +
         "; var found = []; for (var i = 0; i < names.length; i++) { var d = desktopOn(names[i]); "
         "if (d) found.push([d.screen, names[i]]); } found.sort(function (a, b) { return a[0] - "
         "b[0]; }); print(found.map(function (f) { return f[1]; }).join('\\n'));";
}

std::string PlasmaEachScript(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  std::vector<std::string> screens;
  std::vector<std::string> images;
  for (const ScreenPath& picture : pictures) {
    screens.push_back(JavaScriptStringLiteral(picture.screen));
    images.push_back(JavaScriptStringLiteral(FileUri(picture.path)));
  }
  return std::string(kDesktopOn) + "var names = " + ArrayOf(screens, Same) +
         "; var images = " + ArrayOf(images, Same) +
         "; var all = names.map(desktopOn); var missing = all.indexOf(null); if (missing >= 0) "
         "throw new Error('no desktop on ' + names[missing]); for (var i = 0; i < all.length; "
         "i++) { var d = all[i]; " +
         ImageWrites("images[i]", style) + "}";
}

std::string PlasmaReadOnScript(const std::string& screen) {
  return std::string(kDesktopOn) + "var d = desktopOn(" + JavaScriptStringLiteral(screen) +
         "); if (!d) throw new Error('the screen shows no desktop'); " + kReadDesktop;
}

PlasmaBackend::PlasmaBackend(ProcessRunner& runner, std::string appletsFile, MonitorNames monitors)
    : runner_(runner), appletsFile_(std::move(appletsFile)), monitors_(std::move(monitors)) {}

bool PlasmaBackend::Set(const std::string& path, WallpaperStyle style) {
  const std::string spelled = spelling_.For(path);
  if (!Evaluate(PlasmaWallpaperScript(spelled, style))) {
    return false;
  }
  for (auto& [screen, spelling] : screenSpellings_) {
    spelling.Seen(spelled);
  }
  return true;
}

bool PlasmaBackend::Clear() {
  return Evaluate(PlasmaPlainScript());
}

std::optional<std::string> PlasmaBackend::Current() {
  const ToolResult reply = runner_.Run(ShellCall("wallpaper", "uint32:0"));
  if (!reply.succeeded) {
    return ScriptedCurrent(PlasmaReadScript(), spelling_);
  }
  const auto entries = StringEntries(reply.output);
  const auto plugin = entries.find("wallpaperPlugin");
  const auto image = entries.find("Image");
  return Seen(plugin == entries.end() ? "" : plugin->second,
              image == entries.end() ? "" : image->second, spelling_);
}

std::unique_ptr<ChangeFeed> PlasmaBackend::Follow() {
  std::vector<std::unique_ptr<ChangeFeed>> feeds;
  if (auto signal = FollowMonitor(runner_,
                                  {"dbus-monitor", "--session",
                                   "type='signal',interface='org.kde.PlasmaShell',member='"
                                   "wallpaperChanged'"},
                                  IsWallpaperSignal)) {
    feeds.push_back(std::move(signal));
  }
  const std::size_t slash = appletsFile_.rfind('/');
  feeds.push_back(std::make_unique<FileChangeFeed>(appletsFile_.substr(0, slash + 1),
                                                   appletsFile_.substr(slash + 1)));
  return std::make_unique<MergedFeed>(std::move(feeds));
}

std::vector<std::string> PlasmaBackend::Screens() {
  const std::vector<std::string> monitors = monitors_();
  if (monitors.empty()) {
    return {};
  }
  const std::optional<std::string> printed = PrintedByScript(
      runner_.Run(ShellCall("evaluateScript", "string:" + PlasmaScreensScript(monitors))));
  std::vector<std::string> screens;
  const std::string text = printed.value_or("");
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    if (end > 0) {
      screens.emplace_back(rest.substr(0, end));
    }
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return screens;
}

bool PlasmaBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  std::vector<ScreenPath> spelled;
  for (const ScreenPath& picture : pictures) {
    spelled.push_back({picture.screen, screenSpellings_[picture.screen].For(picture.path)});
  }
  return Evaluate(PlasmaEachScript(spelled, style));
}

std::optional<std::string> PlasmaBackend::CurrentOn(const std::string& screen) {
  return ScriptedCurrent(PlasmaReadOnScript(screen), screenSpellings_[screen]);
}

std::optional<std::string> PlasmaBackend::ScriptedCurrent(const std::string& script,
                                                          FreshSpelling& spelling) {
  const std::optional<std::string> printed =
      PrintedByScript(runner_.Run(ShellCall("evaluateScript", "string:" + script)));
  const std::size_t bar = printed ? printed->find('|') : std::string::npos;
  if (bar == std::string::npos) {
    return std::nullopt;
  }
  return Seen(printed->substr(0, bar), printed->substr(bar + 1), spelling);
}

// The picture the shell shows with that plugin and image, "" for none.
std::string PlasmaBackend::Seen(const std::string& plugin, const std::string& image,
                                FreshSpelling& spelling) {
  if (plugin != kImagePlugin) {
    return std::string();
  }
  const std::string path = image.starts_with('/') ? image : PathOfFileUri(image).value_or("");
  spelling.Seen(path);
  return path.empty() ? std::string() : LexicallyNormal(path);
}

bool PlasmaBackend::Evaluate(const std::string& script) {
  return runner_.Run(ShellCall("evaluateScript", "string:" + script)).succeeded;
}

}  // namespace fondex::platform::posix::desktop
