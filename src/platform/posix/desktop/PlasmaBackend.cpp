#include "platform/posix/desktop/PlasmaBackend.h"

#include <map>

#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kSend = "dbus-send";
constexpr const char* kImagePlugin = "org.kde.image";

// Plasma's FillMode: 0 stretch, 3 tile, 6 pad (centred).
int FillModeOf(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return 3;
    case WallpaperStyle::kStretched:
      return 0;
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

bool IsWallpaperSignal(std::string_view line) {
  return line.find("member=wallpaperChanged") != std::string_view::npos;
}

}  // namespace

std::string PlasmaWallpaperScript(const std::string& path, WallpaperStyle style) {
  return "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; "
         "d.wallpaperPlugin = '" +
         std::string(kImagePlugin) +
         "'; d.currentConfigGroup = Array('Wallpaper', 'org.kde.image', 'General'); "
         "d.writeConfig('Image', " +
         JavaScriptStringLiteral(FileUri(path)) + "); d.writeConfig('FillMode', " +
         std::to_string(FillModeOf(style)) + "); }";
}

std::string PlasmaPlainScript() {
  return "var all = desktops(); for (var i = 0; i < all.length; i++) { "
         "all[i].wallpaperPlugin = 'org.kde.color'; }";
}

PlasmaBackend::PlasmaBackend(ProcessRunner& runner) : runner_(runner) {}

bool PlasmaBackend::Set(const std::string& path, WallpaperStyle style) {
  return Evaluate(PlasmaWallpaperScript(spelling_.For(path), style));
}

bool PlasmaBackend::Clear() {
  return Evaluate(PlasmaPlainScript());
}

std::optional<std::string> PlasmaBackend::Current() {
  const ToolResult reply = runner_.Run(ShellCall("wallpaper", "uint32:0"));
  if (!reply.succeeded) {
    return std::nullopt;
  }
  const auto entries = StringEntries(reply.output);
  const auto plugin = entries.find("wallpaperPlugin");
  const auto image = entries.find("Image");
  if (plugin == entries.end() || plugin->second != kImagePlugin || image == entries.end()) {
    return std::string();
  }
  const std::string path =
      image->second.starts_with('/') ? image->second : PathOfFileUri(image->second).value_or("");
  spelling_.Seen(path);
  return path.empty() ? std::string() : LexicallyNormal(path);
}

std::unique_ptr<ChangeFeed> PlasmaBackend::Follow() {
  return FollowMonitor(runner_,
                       {"dbus-monitor", "--session",
                        "type='signal',interface='org.kde.PlasmaShell',member='wallpaperChanged'"},
                       IsWallpaperSignal);
}

bool PlasmaBackend::Evaluate(const std::string& script) {
  return runner_.Run(ShellCall("evaluateScript", "string:" + script)).succeeded;
}

}  // namespace fondex::platform::posix::desktop
