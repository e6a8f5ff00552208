#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fondex::test {

// A full path as Windows expands it: a root and the components below it.
struct FullPath {
  std::string root;  // "C:\" or "\\server\share\", as typed
  std::vector<std::string> parts;
  bool trailingBackslash = false;

  std::string Text() const;
  // Upper-case drive letter; 0 for a network path.
  char Drive() const;
};

// Windows full-path expansion against the current directory: relative names, "\x" on the
// current drive, "X:name" on drive X, "." and "..", repeated backslashes, and trailing dots and
// blanks of the last component. Nothing for an empty name or an incomplete network root.
std::optional<FullPath> ExpandPath(const std::string& name, const FullPath& current);

// Wildcard match of one name: "*" and "?", ASCII case ignored; "*.*" matches every name.
bool MatchesPattern(const std::string& pattern, const std::string& name);

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b);

}  // namespace fondex::test
