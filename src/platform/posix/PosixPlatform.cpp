#include "platform/posix/PosixPlatform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/posix/desktop/DesktopBackends.h"

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

// $XDG_CONFIG_HOME, else ~/.config.
std::string ConfigHome() {
  std::string config = Environment("XDG_CONFIG_HOME");
  return config.empty() ? JoinPosix(HomeDirectory(), ".config") : config;
}

// $XDG_CACHE_HOME, else ~/.cache.
std::string CacheHome() {
  std::string cache = Environment("XDG_CACHE_HOME");
  return cache.empty() ? JoinPosix(HomeDirectory(), ".cache") : cache;
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
  return JoinPosix(ConfigHome(), "fondex");
}

std::string ProgramDirectory(const std::string& platformDirectory) {
  const PathMapper paths(platformDirectory);
  PosixFileSystem files(paths);
  const std::string executable = files.ExecutablePath();
  return paths.ToPosix(executable.substr(0, executable.rfind('\\') + 1)).value_or("");
}

desktop::DesktopKind DesktopFromEnvironment() {
  return desktop::DetectDesktop(desktop::SessionFromEnvironment(), [](std::string_view program) {
    return desktop::FindProgram(program).has_value();
  });
}

PosixPlatform::PosixPlatform(std::string platformDirectory, desktop::DesktopKind desktopKind)
    : paths_(Prepared(std::move(platformDirectory))),
      files_(paths_),
      profiles_(files_, paths_),
      desktop_(files_, profiles_, paths_,
               desktop::MakeDesktopBackend(
                   desktopKind, runner_,
                   {.platformDirectory = paths_.PlatformDirectory(),
                    .configHome = ConfigHome(),
                    .cacheDirectory = JoinPosix(CacheHome(), "fondex"),
                    .swaySession = desktop::IsSwaySession(desktop::SessionFromEnvironment())}),
               &runner_),
      outsideChanges_(paths_.PlatformDirectory(), desktop_) {}

}  // namespace fondex::platform::posix
