#include "mainwindow/DirListText.h"

#include <set>

#include "util/Paths.h"

namespace fondex {

namespace {

// Lines end with CR, LF or CR LF; a last line without an end is still a line; the text ends at
// the first NUL byte.
std::vector<std::string> SplitLines(const std::string& bytes) {
  const std::string text = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

// A count line: decimal digits with an optional sign, nothing else, within 32 bits.
std::int64_t CountOf(const std::string& line) {
  std::size_t i = (!line.empty() && (line[0] == '-' || line[0] == '+')) ? 1 : 0;
  const bool hasDigits = i < line.size();
  std::int64_t value = 0;
  for (; hasDigits && i < line.size(); ++i) {
    if (line[i] < '0' || line[i] > '9' || value > INT32_MAX) {
      break;
    }
    value = value * 10 + (line[i] - '0');
  }
  if (!hasDigits || i != line.size() || value > INT32_MAX) {
    throw Error("'" + line + "' is not a valid integer value");
  }
  return line[0] == '-' ? -value : value;
}

bool IsNumberLine(const std::string& line) {
  const std::size_t digits = (!line.empty() && (line[0] == '-' || line[0] == '+')) ? 1 : 0;
  return line.find_first_not_of("0123456789", digits) == std::string::npos;
}

// What a damaged file still names: every line but the empty ones and the numbers, once each, in
// file order, wherever the damage put it. The check that follows drops what is not a directory.
std::vector<std::string> SalvagedDirectories(const std::vector<std::string>& lines) {
  std::vector<std::string> directories;
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    if (!line.empty() && !IsNumberLine(line) && seen.insert(util::LowerAscii(line)).second) {
      directories.push_back(line);
    }
  }
  return directories;
}

}  // namespace

DirListContents ReadDirListText(const std::string& bytes) {
  const std::vector<std::string> lines = SplitLines(bytes);
  const std::size_t half = lines.size() / 2;
  DirListContents contents;
  // The counts come off the end, the last count line first.
  for (std::size_t k = half; k >= 1 && !contents.failure; --k) {
    try {
      contents.counts.Set(static_cast<std::int64_t>(k) - 1, CountOf(lines[half + k - 1]));
    } catch (const Error& error) {
      contents.failure = error;
    }
  }
  contents.directories.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(half));
  if (lines.size() % 2 == 1) {
    contents.directories.push_back(lines.back());
  }
  if (!contents.failure && contents.directories.size() > DirCountTable::kSize) {
    // One more directory than the table holds, from an odd last line.
    contents.failure = Error("Range check error");
  }
  if (contents.failure) {
    // The directories of a damaged file are kept, uncounted, rather than lost with it.
    contents.directories = SalvagedDirectories(lines);
    if (contents.directories.size() > DirCountTable::kSize) {
      contents.directories.resize(DirCountTable::kSize);
      contents.overfull = true;
    }
    for (std::size_t k = 0; k < DirCountTable::kSize; ++k) {
      contents.counts.Set(static_cast<std::int64_t>(k),
                          k < contents.directories.size() ? DirCountTable::kUnknownCount : 0);
    }
  }
  return contents;
}

std::string DirListText(const std::vector<std::string>& directories, const DirCountTable& counts) {
  std::string text;
  for (const std::string& directory : directories) {
    text += directory + "\r\n";
  }
  for (std::size_t i = 0; i < directories.size(); ++i) {
    text += std::to_string(counts.Get(static_cast<std::int64_t>(i))) + "\r\n";
  }
  return text;
}

}  // namespace fondex
