#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/XMonitors.h"

namespace fondex::platform::posix::desktop {

// The picture one monitor shows, and where that monitor lay when it was drawn.
struct MonitorPicture {
  std::string monitor;
  PixelArea area;
  std::string path;
  bool operator==(const MonitorPicture&) const = default;
};

// Which picture each monitor shows, kept on the root window beside the pixmap they are drawn in:
// it holds while that pixmap is the root's, and says nothing once another program replaced it.
struct MonitorRecord {
  unsigned long pixmap = 0;
  std::vector<MonitorPicture> pictures;
  bool operator==(const MonitorRecord&) const = default;
};

// As the root window's property holds it: fields ended by NUL bytes, which no path holds.
std::string EncodeRecord(const MonitorRecord& record);
std::optional<MonitorRecord> DecodeRecord(std::string_view text);

// What one monitor of a new root pixmap is drawn from: its picture when `path` is not empty,
// else, or when `copyShown`, the pixels the root shows there now; the background when neither.
struct MonitorDrawing {
  XMonitor monitor;
  std::string path;
  bool copyShown = false;
  bool operator==(const MonitorDrawing&) const = default;
};

// Each monitor takes its named picture; the others keep what they show: copied when the root's
// pixels are there to copy and, for a recorded picture, the monitor has not moved; drawn again
// from the record when it has. `record` is the one that still holds, if any.
std::vector<MonitorDrawing> PlanMonitors(const std::vector<XMonitor>& monitors,
                                         const std::vector<ScreenPath>& named,
                                         const std::optional<MonitorRecord>& record,
                                         bool shownPixels);

// The record of a pixmap drawn so.
MonitorRecord RecordOf(unsigned long pixmap, const std::vector<MonitorDrawing>& drawings);

}  // namespace fondex::platform::posix::desktop
