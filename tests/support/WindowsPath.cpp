#include "support/WindowsPath.h"

#include <cstddef>

#include "toolkit/FileListBox.h"
#include "util/Paths.h"

namespace fondex::test {

namespace {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool HasDrivePrefix(const std::string& name) {
  return name.size() >= 2 && name[1] == ':';
}

std::vector<std::string> SplitBackslashes(const std::string& text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t end = text.find('\\'); end != std::string::npos; end = text.find('\\', start)) {
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// "\\server\share\rest": the root and the rest; nothing without a server and a share.
std::optional<FullPath> NetworkRoot(const std::string& name, std::string& rest) {
  const std::vector<std::string> pieces = SplitBackslashes(name.substr(2));
  if (pieces.size() < 2 || pieces[0].empty() || pieces[1].empty()) {
    return std::nullopt;
  }
  const std::size_t restStart = 2 + pieces[0].size() + 1 + pieces[1].size();
  rest = name.substr(restStart);
  return FullPath{"\\\\" + pieces[0] + "\\" + pieces[1] + "\\", {}, false};
}

// Where a name starts from, and the part of it that is relative to that.
std::optional<FullPath> StartOf(const std::string& name, const FullPath& current,
                                std::string& rest) {
  if (name.rfind("\\\\", 0) == 0) {
    return NetworkRoot(name, rest);
  }
  if (HasDrivePrefix(name)) {
    rest = name.substr(2);
    if (!rest.empty() && rest.front() == '\\') {
      return FullPath{name.substr(0, 2) + "\\", {}, false};
    }
    // Drive-relative: the current directory when it is on that drive, else the drive's root.
    if (UpperAscii(name[0]) == current.Drive()) {
      return current;
    }
    return FullPath{name.substr(0, 2) + "\\", {}, false};
  }
  rest = name;
  if (!rest.empty() && rest.front() == '\\') {
    return FullPath{current.root, {}, false};
  }
  return current;
}

void StripTrailingDotsAndBlanks(std::vector<std::string>& parts) {
  std::string& last = parts.back();
  while (!last.empty() && (last.back() == '.' || last.back() == ' ')) {
    last.pop_back();
  }
  if (last.empty()) {
    parts.pop_back();
  }
}

}  // namespace

std::string FullPath::Text() const {
  std::string text = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    text += (i == 0 ? "" : "\\") + parts[i];
  }
  if (trailingBackslash && !parts.empty()) {
    text += '\\';
  }
  return text;
}

char FullPath::Drive() const {
  return HasDrivePrefix(root) ? UpperAscii(root[0]) : '\0';
}

std::optional<FullPath> ExpandPath(const std::string& name, const FullPath& current) {
  if (name.empty()) {
    return std::nullopt;
  }
  std::string rest;
  std::optional<FullPath> full = StartOf(name, current, rest);
  if (!full) {
    return std::nullopt;
  }
  full->trailingBackslash = !rest.empty() && rest.back() == '\\';
  bool lastIsName = false;
  for (const std::string& piece : SplitBackslashes(rest)) {
    lastIsName = false;
    if (piece.empty() || piece == ".") {
      continue;
    }
    if (piece == "..") {
      if (!full->parts.empty()) {
        full->parts.pop_back();
      }
      continue;
    }
    full->parts.push_back(piece);
    lastIsName = true;
  }
  if (lastIsName && !full->trailingBackslash) {
    StripTrailingDotsAndBlanks(full->parts);
  }
  return full;
}

bool MatchesPattern(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") {
    return true;
  }
  return toolkit::MatchesWildcard(pattern, name);
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return util::LowerAscii(a) == util::LowerAscii(b);
}

}  // namespace fondex::test
