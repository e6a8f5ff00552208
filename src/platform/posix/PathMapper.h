#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform::posix {

// Maps the program's Windows-shaped paths to POSIX paths and back. Drive C: is the root "/";
// drives D: to Z: are symbolic links named "d:" ... "z:" in the platform directory. Nothing is
// cached: every call looks at the disk again.
class PathMapper {
 public:
  explicit PathMapper(std::string platformDirectory);

  const std::string& PlatformDirectory() const { return platformDirectory_; }

  // POSIX directory of a drive's root; nothing when the drive is not mapped to a directory.
  std::optional<std::string> DriveRoot(char letter) const;

  // "C:\Home\a.bmp" -> "/home/a.bmp". Each component is the exact name when it exists, else the
  // first entry equal to it ignoring ASCII case, else the name as written (a file yet to be
  // created). Nothing for a path that is not a full drive path or whose drive is not mapped.
  std::optional<std::string> ToPosix(std::string_view windowsPath) const;

  // "/home/a/b.bmp" -> "C:\home\a\b.bmp", on the drive whose root holds the path (the deepest
  // one when several do). A relative path is taken against the process's working directory.
  std::string ToWindows(std::string_view posixPath) const;

  // A name the user gives from outside the program, as on its command line: a full
  // Windows-shaped name ("c:\images\mer.bmp") stays as it is; any other is a POSIX path, a
  // relative one taken against the working directory. An empty name stays empty.
  std::string FromUser(std::string_view name) const;

 private:
  std::string platformDirectory_;
};

// The process's working directory; nothing when it has no name any more (it was deleted).
std::optional<std::string> ProcessWorkingDirectory();

std::string JoinPosix(std::string_view directory, std::string_view name);

// The entry of a POSIX directory that a name designates: the exact name when it exists, else the
// first entry equal to it ignoring ASCII case, else the name itself.
std::string ResolveEntryName(const std::string& directory, std::string_view name);

}  // namespace fondex::platform::posix
