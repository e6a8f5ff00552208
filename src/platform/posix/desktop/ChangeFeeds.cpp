#include "platform/posix/desktop/ChangeFeeds.h"

#include <sys/epoll.h>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr long kLookAgainSeconds = 1;

constexpr std::uint32_t kWatchedEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

int WatchDirectory(const std::string& directory) {
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd >= 0 && ::inotify_add_watch(fd, directory.c_str(), kWatchedEvents) < 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::vector<int> DescriptorsOf(const std::vector<std::unique_ptr<ChangeFeed>>& feeds) {
  std::vector<int> descriptors;
  for (const auto& feed : feeds) {
    descriptors.push_back(feed->Descriptor());
  }
  return descriptors;
}

}  // namespace

int EitherReadable(const std::vector<int>& descriptors) {
  const int set = ::epoll_create1(EPOLL_CLOEXEC);
  for (int fd : descriptors) {
    epoll_event event{.events = EPOLLIN, .data = {.fd = fd}};
    if (set >= 0 && fd >= 0) {
      ::epoll_ctl(set, EPOLL_CTL_ADD, fd, &event);
    }
  }
  return set;
}

MergedFeed::MergedFeed(std::vector<std::unique_ptr<ChangeFeed>> feeds)
    : feeds_(std::move(feeds)), either_(EitherReadable(DescriptorsOf(feeds_))) {}

bool MergedFeed::Drain() {
  bool concerned = false;
  for (const auto& feed : feeds_) {
    concerned = feed->Drain() || concerned;
  }
  return concerned;
}

MonitorFeed::MonitorFeed(std::unique_ptr<RunningProcess> monitor, LineFilter concerns)
    : monitor_(std::move(monitor)), concerns_(std::move(concerns)) {}

bool MonitorFeed::Drain() {
  bool concerned = false;
  for (const std::string& line : monitor_->TakeLines()) {
    concerned = concerns_(line) || concerned;
  }
  return concerned;
}

std::unique_ptr<ChangeFeed> FollowMonitor(ProcessRunner& runner, const Argv& argv,
                                          LineFilter concerns) {
  std::unique_ptr<RunningProcess> monitor = runner.StartMonitor(argv);
  if (!monitor) {
    return nullptr;
  }
  return std::make_unique<MonitorFeed>(std::move(monitor), std::move(concerns));
}

FileChangeFeed::FileChangeFeed(const std::string& directory, std::string fileName)
    : fileName_(std::move(fileName)), fd_(WatchDirectory(directory)) {}

bool FileChangeFeed::Drain() {
  bool concerned = false;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t length = fd_.Get() < 0 ? 0 : ::read(fd_.Get(), buffer, sizeof buffer);
    if (length < 0 && errno == EINTR) {
      continue;
    }
    if (length <= 0) {
      return concerned;
    }
    for (ssize_t offset = 0; offset < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + offset, sizeof event);
      const char* name = buffer + offset + sizeof event;
      concerned = concerned || (event.mask & IN_Q_OVERFLOW) != 0 ||
                  (event.len > 0 && EqualsIgnoringAsciiCase(name, fileName_));
      offset += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
}

PacedFeed::PacedFeed(std::function<std::string()> look)
    : look_(std::move(look)),
      timer_(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)),
      seen_(look_()) {
  const itimerspec pace{.it_interval = {kLookAgainSeconds, 0}, .it_value = {kLookAgainSeconds, 0}};
  if (timer_.Get() >= 0 && ::timerfd_settime(timer_.Get(), 0, &pace, nullptr) != 0) {
    timer_ = FileDescriptor();
  }
}

bool PacedFeed::Drain() {
  std::uint64_t expirations = 0;
  [[maybe_unused]] const ssize_t read = ::read(timer_.Get(), &expirations, sizeof expirations);
  std::string now = look_();
  const bool changed = now != seen_;
  seen_ = std::move(now);
  return changed;
}

}  // namespace fondex::platform::posix::desktop
