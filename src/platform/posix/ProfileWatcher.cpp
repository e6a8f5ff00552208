#include "platform/posix/ProfileWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix {
namespace {

constexpr std::uint32_t kWatchedEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

// A lost event might have been one about the system profile.
bool ConcernsSystemProfile(const inotify_event& event, const char* name) {
  return (event.mask & IN_Q_OVERFLOW) != 0 ||
         (event.len > 0 && EqualsIgnoringAsciiCase(name, kSystemProfile));
}

int WatchDirectory(const std::string& directory) {
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd >= 0 && ::inotify_add_watch(fd, directory.c_str(), kWatchedEvents) < 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

ProfileWatcher::ProfileWatcher(const std::string& platformDirectory, PosixDesktopWallpaper& desktop)
    : desktop_(desktop), fd_(WatchDirectory(platformDirectory)) {}

void ProfileWatcher::Dispatch() {
  if (DrainEvents()) {
    desktop_.CheckStoredWallpaper();
  }
}

bool ProfileWatcher::DrainEvents() {
  bool concerned = false;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t length = ::read(fd_.Get(), buffer, sizeof buffer);
    if (length < 0 && errno == EINTR) {
      continue;
    }
    if (length <= 0) {
      return concerned;
    }
    for (ssize_t offset = 0; offset < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + offset, sizeof event);
      concerned = ConcernsSystemProfile(event, buffer + offset + sizeof event) || concerned;
      offset += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
}

}  // namespace fondex::platform::posix
