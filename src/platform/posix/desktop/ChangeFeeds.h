#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/posix/Handles.h"
#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// Which lines of a monitor's output may concern the wallpaper.
using LineFilter = std::function<bool(std::string_view line)>;

// The lines of a settings monitor.
class MonitorFeed : public ChangeFeed {
 public:
  MonitorFeed(std::unique_ptr<RunningProcess> monitor, LineFilter concerns);

  int Descriptor() const override { return monitor_->OutputDescriptor(); }
  bool Drain() override;

 private:
  std::unique_ptr<RunningProcess> monitor_;
  LineFilter concerns_;
};

// Starts a monitor; nothing when it cannot be started.
std::unique_ptr<ChangeFeed> FollowMonitor(ProcessRunner& runner, const Argv& argv,
                                          LineFilter concerns);

// Changes of one file of a directory, whether written in place or renamed over (ASCII case of
// the name ignored). Nothing to watch when the directory cannot be watched.
class FileChangeFeed : public ChangeFeed {
 public:
  FileChangeFeed(const std::string& directory, std::string fileName);

  int Descriptor() const override { return fd_.Get(); }
  // True when an event named the file, or when events were lost.
  bool Drain() override;

 private:
  std::string fileName_;
  FileDescriptor fd_;
};

}  // namespace fondex::platform::posix::desktop
