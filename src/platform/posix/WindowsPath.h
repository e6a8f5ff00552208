#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fondex::platform::posix {

// Lexical rules of Windows-shaped paths: a drive is a letter and a colon, the backslash is the
// separator, and a forward slash is taken as a backslash.

std::string WithBackslashes(std::string_view path);

// Appends the components of a path to parts, folding "." and ".." and empty components.
void FoldComponents(std::string_view path, char separator, std::vector<std::string_view>& parts);

bool HasDriveLetter(std::string_view path);

// "X:\" exactly.
bool IsDriveRoot(std::string_view path);

// Full path of a name against the current directory (itself a full path such as "C:\images"):
// "x" relative to it, "\x" relative to its drive's root, "d:x" relative to the current
// directory when d: is its drive and to d:'s root otherwise; "." and ".." components and
// repeated backslashes are folded, and a trailing backslash is kept. Nothing for an empty name
// or a network name.
std::optional<std::string> ExpandFullPath(std::string_view name, std::string_view currentDirectory);

// A search pattern split into its directory (as written, possibly empty or drive-relative) and
// the name pattern after the last separator.
struct SearchPattern {
  std::string directory;
  std::string name;
};
SearchPattern SplitSearchPattern(std::string_view pattern);

}  // namespace fondex::platform::posix
