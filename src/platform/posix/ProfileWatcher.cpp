#include "platform/posix/ProfileWatcher.h"

#include <sys/epoll.h>

#include <initializer_list>

namespace fondex::platform::posix {
namespace {

// A descriptor that is readable while any of the given ones is.
int EitherReadable(std::initializer_list<int> descriptors) {
  const int set = ::epoll_create1(EPOLL_CLOEXEC);
  for (int fd : descriptors) {
    epoll_event event{.events = EPOLLIN, .data = {.fd = fd}};
    if (set >= 0 && fd >= 0) {
      ::epoll_ctl(set, EPOLL_CTL_ADD, fd, &event);
    }
  }
  return set;
}

}  // namespace

ProfileWatcher::ProfileWatcher(const std::string& platformDirectory, PosixDesktopWallpaper& desktop)
    : desktop_(desktop),
      profile_(platformDirectory, kSystemProfile),
      desktopFeed_(desktop.FollowDesktop()),
      sources_(
          EitherReadable({profile_.Descriptor(), desktopFeed_ ? desktopFeed_->Descriptor() : -1})) {
}

void ProfileWatcher::Dispatch() {
  // The desktop first: what it stores in the profile is then known, and told only once.
  if (desktopFeed_ && desktopFeed_->Drain()) {
    desktop_.CheckDesktopWallpaper();
  }
  if (profile_.Drain()) {
    desktop_.CheckStoredWallpaper();
  }
}

}  // namespace fondex::platform::posix
