#include "platform/posix/desktop/XfconfBackend.h"

#include <algorithm>
#include <iterator>

#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "xfconf-query";
constexpr const char* kChannel = "xfce4-desktop";
constexpr std::string_view kImage = "/last-image";
constexpr std::string_view kStyle = "/image-style";
constexpr const char* kNoImage = "0";
constexpr std::string_view kScreenMonitor = "/backdrop/screen0/monitor";
// xfdesktop's name for the one monitor of a display that has no monitor list.
constexpr std::string_view kOnlyMonitor = "X11-1";

const char* ImageStyleOf(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kTiled:
      return "2";
    case WallpaperStyle::kStretched:
      return "3";
    case WallpaperStyle::kFitted:
      return "4";
    case WallpaperStyle::kFilled:
      return "5";
    case WallpaperStyle::kCentred:
      break;
  }
  return "1";
}

std::string StyleBeside(const std::string& imageProperty) {
  return imageProperty.substr(0, imageProperty.size() - kImage.size()) + std::string(kStyle);
}

// "/backdrop/screen0/monitorHDMI-1/workspace2/last-image" -> "/backdrop/screen0/monitorHDMI-1";
// "" for a property that is not a monitor's.
std::string MonitorOf(std::string_view property) {
  constexpr std::string_view kBackdrop = "/backdrop/screen";
  if (!property.starts_with(kBackdrop)) {
    return {};
  }
  const std::size_t monitor = property.find('/', kBackdrop.size());
  if (monitor == std::string_view::npos || property.substr(monitor + 1, 7) != "monitor") {
    return {};
  }
  return std::string(property.substr(0, property.find('/', monitor + 1)));
}

bool ConcernsImage(std::string_view line) {
  return line.ends_with(kImage) || line.ends_with(kStyle);
}

// The monitor's listed last-image properties; its first workspace's when it has none yet.
std::vector<std::string> ImagesOf(const std::string& monitor,
                                  const std::vector<std::string>& listed) {
  std::vector<std::string> images;
  std::ranges::copy_if(listed, std::back_inserter(images), [&](const std::string& property) {
    return property.ends_with(kImage) && MonitorOf(property) == monitor;
  });
  if (images.empty()) {
    images.push_back(monitor + "/workspace0" + std::string(kImage));
  }
  return images;
}

}  // namespace

XfconfBackend::XfconfBackend(ProcessRunner& runner, MonitorNames monitors)
    : runner_(runner), monitors_(std::move(monitors)) {}

bool XfconfBackend::Set(const std::string& path, WallpaperStyle style) {
  // Properties hold UTF-8 text: another path could not reach the desktop as that same file.
  const auto properties = IsValidUtf8(path) ? ImageProperties() : std::nullopt;
  if (!properties) {
    return false;
  }
  const std::string spelled = spelling_.For(path);
  return std::ranges::all_of(
      *properties, [&](const std::string& property) { return SetImage(property, spelled, style); });
}

bool XfconfBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  const bool valid = std::ranges::all_of(
      pictures, [](const ScreenPath& picture) { return IsValidUtf8(picture.path); });
  const auto listed = valid ? MonitorProperties() : std::nullopt;
  return listed && std::ranges::all_of(pictures, [&](const ScreenPath& picture) {
           const std::string spelled = screenSpellings_[picture.screen].For(picture.path);
           return std::ranges::all_of(
               ImagesOf(std::string(kScreenMonitor) + picture.screen, *listed),
               [&](const std::string& property) { return SetImage(property, spelled, style); });
         });
}

std::optional<std::string> XfconfBackend::CurrentOn(const std::string& screen) {
  const auto listed = MonitorProperties();
  return listed ? ReadImage(ImagesOf(std::string(kScreenMonitor) + screen, *listed).front(),
                            screenSpellings_[screen])
                : std::nullopt;
}

bool XfconfBackend::Clear() {
  const auto properties = ImageProperties();
  return properties && std::ranges::all_of(*properties, [&](const std::string& property) {
           return SetProperty(StyleBeside(property), "int", kNoImage);
         });
}

std::optional<std::string> XfconfBackend::Current() {
  const auto properties = ImageProperties();
  return properties ? ReadImage(properties->front(), spelling_) : std::nullopt;
}

std::optional<std::string> XfconfBackend::ReadImage(const std::string& property,
                                                    FreshSpelling& spelling) {
  const auto image = GetProperty(property);
  if (!image) {
    return std::nullopt;
  }
  spelling.Seen(*image);
  const std::optional<std::string> style = GetProperty(StyleBeside(property));
  shownStyle_ = style ? StyleOfWord(*style, ImageStyleOf) : std::nullopt;
  const bool shown = style != kNoImage;
  return shown && !image->empty() ? LexicallyNormal(*image) : std::string();
}

std::unique_ptr<ChangeFeed> XfconfBackend::Follow() {
  return FollowMonitor(runner_, {kTool, "-c", kChannel, "-m"}, ConcernsImage);
}

std::optional<std::vector<std::string>> XfconfBackend::MonitorProperties() {
  const ToolResult listing = runner_.Run({kTool, "-c", kChannel, "-l"});
  if (!listing.succeeded) {
    return std::nullopt;
  }
  std::vector<std::string> listed;
  std::ranges::copy_if(SplitLines(listing.output), std::back_inserter(listed),
                       [](const std::string& property) { return !MonitorOf(property).empty(); });
  return listed;
}

std::optional<std::vector<std::string>> XfconfBackend::ImageProperties() {
  const auto listed = MonitorProperties();
  if (!listed) {
    return std::nullopt;
  }
  std::vector<std::string> monitors;
  for (const std::string& name : monitors_()) {
    monitors.push_back(std::string(kScreenMonitor) + name);
  }
  for (const std::string& property : *listed) {
    if (std::string monitor = MonitorOf(property);
        std::ranges::find(monitors, monitor) == monitors.end()) {
      monitors.push_back(std::move(monitor));
    }
  }
  if (monitors.empty()) {
    monitors.push_back(std::string(kScreenMonitor) + std::string(kOnlyMonitor));
  }
  std::vector<std::string> images;
  for (const std::string& monitor : monitors) {
    std::ranges::copy(ImagesOf(monitor, *listed), std::back_inserter(images));
  }
  return images;
}

bool XfconfBackend::SetImage(const std::string& property, const std::string& path,
                             WallpaperStyle style) {
  return SetProperty(property, "string", path) &&
         SetProperty(StyleBeside(property), "int", ImageStyleOf(style));
}

bool XfconfBackend::SetProperty(const std::string& property, const char* type,
                                const std::string& value) {
  return runner_.Run({kTool, "-c", kChannel, "-p", property, "-n", "-t", type, "-s", value})
      .succeeded;
}

std::optional<std::string> XfconfBackend::GetProperty(const std::string& property) {
  ToolResult result = runner_.Run({kTool, "-c", kChannel, "-p", property});
  if (!result.succeeded) {
    return std::nullopt;
  }
  if (result.output.ends_with('\n')) {
    result.output.pop_back();
  }
  return result.output;
}

}  // namespace fondex::platform::posix::desktop
