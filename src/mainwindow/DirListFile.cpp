#include <optional>
#include <string>
#include <vector>

#include "mainwindow/Fondexmf.h"
#include "toolkit/Error.h"
#include "util/Lists.h"
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

struct DirListContents {
  std::vector<std::string> directories;
  std::optional<Error> failure;
};

}  // namespace

void TFondexMainForm::LoadDirList() {
  const auto attributes = platform_.files.GetAttributes(DirFileName);
  if (!attributes || (*attributes & platform::kDirectory) != 0) {
    return;
  }
  const auto bytes = platform_.files.ReadFile(DirFileName);
  if (!bytes) {
    throw Error("Impossible de lire le fichier " + DirFileName);
  }
  std::vector<std::string> lines = SplitLines(*bytes);
  const std::size_t half = lines.size() / 2;
  std::optional<Error> failure;
  // The counts come off the end, the last count line first.
  for (std::size_t k = half; k >= 1 && !failure; --k) {
    try {
      DirCounts.Set(static_cast<std::int64_t>(k) - 1, CountOf(lines[half + k - 1]));
    } catch (const Error& error) {
      failure = error;
    }
  }
  std::vector<std::string> directories(lines.begin(), lines.begin() + half);
  if (lines.size() % 2 == 1) {
    directories.push_back(lines.back());
  }
  if (!failure && directories.size() > DirCountTable::kSize) {
    // One more directory than the table holds, from an odd last line.
    failure = Error("Range check error");
  }
  if (failure) {
    // The directories of a damaged file are kept, uncounted, rather than lost with it.
    directories.resize(std::min<std::size_t>(directories.size(), DirCountTable::kSize));
    for (std::size_t k = 0; k < DirCountTable::kSize; ++k) {
      DirCounts.Set(k, k < directories.size() ? DirCountTable::kUnknownCount : 0);
    }
  }
  DirListeBox.SetVisible(false);
  DirListeBox.SetSorted(false);
  for (std::string& directory : directories) {
    DirListeBox.Add(std::move(directory));
  }
  DirListeBox.SetSorted(true);
  DirListeBox.SetVisible(true);
  if (DirListeBox.Count() > 0) {
    util::RemoveDuplicates(DirListeBox, -1, false);
  }
  // Every directory is checked, from the last to the first; missing ones are dropped.
  DirListeBox.SetItemIndex(DirListeBox.Count() - 1);
  while (DirListeBox.ItemIndex() != -1) {
    const int index = DirListeBox.ItemIndex();
    if (OpenDirectory(index)) {
      DirListeBox.SetItemIndex(index - 1);
    }
  }
  DirListeBox.SetItemIndex(-1);
  if (failure) {
    throw *failure;
  }
}

void TFondexMainForm::SaveDirList() {
  std::string text;
  for (const std::string& directory : DirListeBox.Items()) {
    text += directory + "\r\n";
  }
  for (int i = 0; i < DirListeBox.Count(); ++i) {
    text += std::to_string(DirCounts.Get(i)) + "\r\n";
  }
  // The new list replaces the old one whole, or not at all.
  if (!platform_.files.WriteFileAtomic(DirFileName, text)) {
    throw Error(
        "Impossible d'é"
        "crire le fichier " +
        DirFileName);
  }
}

}  // namespace fondex
