#include "platform/posix/desktop/MonitorPictures.h"

#include <algorithm>
#include <charconv>

namespace fondex::platform::posix::desktop {
namespace {

void AddField(std::string& text, std::string_view field) {
  text.append(field);
  text.push_back('\0');
}

// The fields of the text, each ended by a NUL byte; nothing when the last is not ended.
std::optional<std::vector<std::string_view>> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  while (!text.empty()) {
    const std::size_t end = text.find('\0');
    if (end == std::string_view::npos) {
      return std::nullopt;
    }
    fields.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return fields;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<PixelArea> ParseArea(std::string_view text) {
  PixelArea area{};
  int* parts[] = {&area.left, &area.top, &area.width, &area.height};
  for (int* part : parts) {
    const std::size_t end = std::min(text.find(' '), text.size());
    if (!ParseNumber(text.substr(0, end), *part)) {
      return std::nullopt;
    }
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return text.empty() ? std::optional(area) : std::nullopt;
}

std::string AreaText(const PixelArea& area) {
  return std::to_string(area.left) + ' ' + std::to_string(area.top) + ' ' +
         std::to_string(area.width) + ' ' + std::to_string(area.height);
}

}  // namespace

std::string EncodeRecord(const MonitorRecord& record) {
  std::string text;
  AddField(text, std::to_string(record.pixmap));
  for (const MonitorPicture& picture : record.pictures) {
    AddField(text, picture.monitor);
    AddField(text, AreaText(picture.area));
    AddField(text, picture.path);
  }
  return text;
}

std::optional<MonitorRecord> DecodeRecord(std::string_view text) {
  const auto fields = Fields(text);
  MonitorRecord record;
  if (!fields || fields->size() % 3 != 1 || !ParseNumber(fields->front(), record.pixmap)) {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < fields->size(); i += 3) {
    const std::optional<PixelArea> area = ParseArea((*fields)[i + 1]);
    if (!area || (*fields)[i + 2].empty()) {
      return std::nullopt;
    }
    record.pictures.push_back({std::string((*fields)[i]), *area, std::string((*fields)[i + 2])});
  }
  return record;
}

std::vector<MonitorDrawing> PlanMonitors(const std::vector<XMonitor>& monitors,
                                         const std::vector<ScreenPath>& named,
                                         const std::optional<MonitorRecord>& record,
                                         bool shownPixels) {
  std::vector<MonitorDrawing> drawings;
  for (const XMonitor& monitor : monitors) {
    MonitorDrawing drawing{monitor, {}, shownPixels};
    if (const auto picture = std::ranges::find(named, monitor.name, &ScreenPath::screen);
        picture != named.end()) {
      drawing.path = picture->path;
      drawing.copyShown = false;
    } else if (record) {
      const auto kept = std::ranges::find(record->pictures, monitor.name, &MonitorPicture::monitor);
      if (kept != record->pictures.end()) {
        drawing.path = kept->path;
        drawing.copyShown = shownPixels && kept->area == monitor.area;
      }
    }
    drawings.push_back(std::move(drawing));
  }
  return drawings;
}

MonitorRecord RecordOf(unsigned long pixmap, const std::vector<MonitorDrawing>& drawings) {
  MonitorRecord record{pixmap, {}};
  for (const MonitorDrawing& drawing : drawings) {
    if (!drawing.path.empty()) {
      record.pictures.push_back({drawing.monitor.name, drawing.monitor.area, drawing.path});
    }
  }
  return record;
}

}  // namespace fondex::platform::posix::desktop
