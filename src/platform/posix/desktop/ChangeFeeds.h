#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/Handles.h"
#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// A new descriptor that is readable while any of the given ones (-1: none) is.
int EitherReadable(const std::vector<int>& descriptors);

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

// Several feeds as one: readable when any is, concerned when any is.
class MergedFeed : public ChangeFeed {
 public:
  explicit MergedFeed(std::vector<std::unique_ptr<ChangeFeed>> feeds);

  int Descriptor() const override { return either_.Get(); }
  bool Drain() override;

 private:
  std::vector<std::unique_ptr<ChangeFeed>> feeds_;
  FileDescriptor either_;
};

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

// A desktop that tells nobody of its changes, looked at again at a steady pace: concerned when
// what `look` sees has changed since the last look.
class PacedFeed : public ChangeFeed {
 public:
  explicit PacedFeed(std::function<std::string()> look);

  int Descriptor() const override { return timer_.Get(); }
  // Looks whenever asked, whether or not the pace has come round.
  bool Drain() override;

 private:
  std::function<std::string()> look_;
  FileDescriptor timer_;
  std::string seen_;
};

}  // namespace fondex::platform::posix::desktop
