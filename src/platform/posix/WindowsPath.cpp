#include "platform/posix/WindowsPath.h"

#include <vector>

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The directory that a name is relative to, and the part of the name that follows it.
struct Anchored {
  std::string base;
  std::string_view rest;
};

Anchored Anchor(std::string_view name, std::string_view current) {
  const std::string currentRoot = std::string(current.substr(0, 2)) + '\\';
  if (!HasDriveLetter(name)) {
    return {name.starts_with('\\') ? currentRoot : std::string(current), name};
  }
  const std::string_view drive = name.substr(0, 2);
  const std::string_view rest = name.substr(2);
  if (rest.starts_with('\\') || !EqualsIgnoringAsciiCase(drive, current.substr(0, 2))) {
    return {std::string(drive) + '\\', rest};
  }
  return {std::string(current), rest};
}

}  // namespace

std::string WithBackslashes(std::string_view path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '/') {
      c = '\\';
    }
  }
  return result;
}

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

bool IsDriveRoot(std::string_view path) {
  return path.size() == 3 && HasDriveLetter(path) && path[2] == '\\';
}

std::optional<std::string> ExpandFullPath(std::string_view name,
                                          std::string_view currentDirectory) {
  const std::string slashed = WithBackslashes(name);
  if (slashed.empty() || slashed.starts_with("\\\\") || !HasDriveLetter(currentDirectory)) {
    return std::nullopt;
  }
  const Anchored anchored = Anchor(slashed, currentDirectory);
  std::vector<std::string_view> parts;
  FoldComponents(std::string_view(anchored.base).substr(2), '\\', parts);
  FoldComponents(anchored.rest, '\\', parts);
  std::string full = anchored.base.substr(0, 2);
  for (std::string_view part : parts) {
    full += '\\';
    full += part;
  }
  if (parts.empty() || slashed.ends_with('\\')) {
    full += '\\';
  }
  return full;
}

SearchPattern SplitSearchPattern(std::string_view pattern) {
  const std::string slashed = WithBackslashes(pattern);
  const std::size_t separator = slashed.rfind('\\');
  if (separator != std::string::npos) {
    return {slashed.substr(0, separator + 1), slashed.substr(separator + 1)};
  }
  const std::size_t nameStart = HasDriveLetter(slashed) ? 2 : 0;
  return {slashed.substr(0, nameStart), slashed.substr(nameStart)};
}

void FoldComponents(std::string_view path, char separator, std::vector<std::string_view>& parts) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(separator, start);
    if (end == std::string_view::npos) {
      end = path.size();
    }
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) {
        parts.pop_back();
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
}

}  // namespace fondex::platform::posix
