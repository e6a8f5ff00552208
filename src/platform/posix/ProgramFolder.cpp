#include "platform/posix/ProgramFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fondex::platform::posix {
namespace {

bool InGroup(gid_t group) {
  if (group == ::getegid()) {
    return true;
  }
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
  return count > 0 && ::getgroups(count, groups.data()) == count &&
         std::ranges::find(groups, group) != groups.end();
}

}  // namespace

std::string OwnExecutablePath() {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : target.string();
}

bool FolderAcceptsFiles(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
      ::access(folder.c_str(), W_OK | X_OK) != 0) {
    return false;
  }
  const mode_t bits = status.st_uid == ::geteuid() ? S_IWUSR | S_IXUSR
                      : InGroup(status.st_gid)     ? S_IWGRP | S_IXGRP
                                                   : S_IWOTH | S_IXOTH;
  return (status.st_mode & bits) == bits;
}

std::string ProgramFolder(const std::string& executablePath, const std::string& perUserFolder) {
  const std::string own = std::filesystem::path(executablePath).parent_path().string();
  if (!own.empty() && FolderAcceptsFiles(own)) {
    return own;
  }
  std::error_code ignored;
  std::filesystem::create_directories(perUserFolder, ignored);
  // Without a per-user folder the copy keeps to its own, where it may read and lock but not save.
  return own.empty() || std::filesystem::is_directory(perUserFolder, ignored) ? perUserFolder : own;
}

std::string InstalledDataFolder(const std::string& executablePath) {
  const std::filesystem::path folder = std::filesystem::path(executablePath).parent_path();
  return (folder / FONDEX_INSTALLED_DATA).lexically_normal().string();
}

std::string FileOrInstalledCopy(const std::string& path, const std::string& executablePath) {
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored)) {
    return path;
  }
  const std::filesystem::path installed =
      std::filesystem::path(InstalledDataFolder(executablePath)) /
      std::filesystem::path(path).filename();
  return std::filesystem::exists(installed, ignored) ? installed.string() : path;
}

}  // namespace fondex::platform::posix
