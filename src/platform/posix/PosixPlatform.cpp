#include "platform/posix/PosixPlatform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fondex::platform::posix {
namespace {

// An unset variable and an empty one mean the same.
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid())) {
      home = user->pw_dir;
    }
  }
  return home;
}

std::string Prepared(std::string directory) {
  std::error_code ignored;
  std::filesystem::create_directories(directory, ignored);
  return directory;
}

}  // namespace

std::string PlatformDirectoryFromEnvironment() {
  if (std::string own = Environment("FONDEX_PLATFORM_DIR"); !own.empty()) {
    return own;
  }
  if (std::string config = Environment("XDG_CONFIG_HOME"); !config.empty()) {
    return JoinPosix(config, "fondex");
  }
  return JoinPosix(JoinPosix(HomeDirectory(), ".config"), "fondex");
}

PosixPlatform::PosixPlatform(std::string platformDirectory)
    : paths_(Prepared(std::move(platformDirectory))),
      files_(paths_),
      profiles_(files_, paths_),
      desktop_(files_, profiles_),
      outsideChanges_(paths_.PlatformDirectory(), desktop_) {}

}  // namespace fondex::platform::posix
