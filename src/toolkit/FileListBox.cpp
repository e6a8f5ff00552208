#include "toolkit/FileListBox.h"

#include <algorithm>
#include <string_view>

#include "toolkit/StringList.h"

namespace fondex::toolkit {

namespace {

constexpr std::uint32_t kFilteredAttributes =
    platform::kHidden | platform::kSystem | platform::kVolumeLabel | platform::kDirectory;

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string_view> PatternsOf(std::string_view mask) {
  std::vector<std::string_view> patterns;
  for (std::size_t start = 0; start <= mask.size();) {
    const std::size_t end = std::min(mask.find(';', start), mask.size());
    patterns.push_back(mask.substr(start, end - start));
    start = end + 1;
  }
  return patterns;
}

bool MatchesAny(const std::vector<std::string_view>& patterns, std::string_view name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [name](std::string_view pattern) { return MatchesWildcard(pattern, name); });
}

}  // namespace

// Greedy, going back to the last "*" seen when the rest does not match.
bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  return pattern.find_first_not_of('*', p) == std::string_view::npos;
}

bool FileListBox::Admits(std::uint32_t attributes) const {
  // Hidden, system, volume-label and directory entries need their type; all others show.
  const std::uint32_t special = attributes & kFilteredAttributes;
  return (special & ~fileTypes_) == 0;
}

bool FileListBox::SetDirectory(const std::string& directory) {
  if (!directory_.empty() && EqualIgnoringCase(directory_, directory)) {
    return true;
  }
  if (!files_.SetCurrentDirectory(directory)) {
    directory_.clear();
    items_.clear();
    itemIndex_ = -1;
    ItemsChanged.Emit();
    SelectionChanged.Emit();
    return false;
  }
  directory_ = files_.GetCurrentDirectory();
  Update();
  return true;
}

void FileListBox::SetFileTypes(std::uint32_t types) {
  if (fileTypes_ != types) {
    fileTypes_ = types;
    if (!directory_.empty()) {
      Update();
    }
  }
}

void FileListBox::SetMask(std::string newMask) {
  if (mask != newMask) {
    mask = std::move(newMask);
    if (!directory_.empty()) {
      Update();
    }
  }
}

void FileListBox::Update() {
  std::string folder = directory_;
  if (folder.empty() || folder.back() != '\\') {
    folder += '\\';
  }
  // Several patterns are matched here, against one listing of every entry.
  const std::vector<std::string_view> patterns = PatternsOf(mask);
  const bool single = patterns.size() == 1;
  std::vector<platform::FoundEntry> found = files_.FindEntries(folder + (single ? mask : "*"));
  items_.clear();
  for (platform::FoundEntry& entry : found) {
    if (Admits(entry.attributes) && (single || MatchesAny(patterns, entry.name))) {
      items_.push_back(std::move(entry.name));
    }
  }
  SortNames(items_, Names());
  itemIndex_ = -1;
  ItemsChanged.Emit();
  SelectionChanged.Emit();
}

void FileListBox::Clear() {
  directory_.clear();
  items_.clear();
  itemIndex_ = -1;
  ItemsChanged.Emit();
  SelectionChanged.Emit();
}

const std::string& FileListBox::Item(int index) const {
  CheckListIndex(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

int FileListBox::Add(std::string text) {
  items_.push_back(std::move(text));
  ItemsChanged.Emit();
  return Count() - 1;
}

void FileListBox::Delete(int index) {
  CheckListIndex(index, Count());
  items_.erase(items_.begin() + index);
  itemIndex_ = SelectionAfterDelete(itemIndex_, index);
  ItemsChanged.Emit();
  SelectionChanged.Emit();
}

void FileListBox::SetItemIndex(int index) {
  index = ValidSelection(index, Count());
  if (itemIndex_ != index) {
    itemIndex_ = index;
    SelectionChanged.Emit();
  }
}

std::string FileListBox::FileName() const {
  if (itemIndex_ < 0) {
    return "";
  }
  std::string name = directory_;
  if (name.empty() || name.back() != '\\') {
    name += '\\';
  }
  return name + items_[static_cast<std::size_t>(itemIndex_)];
}

}  // namespace fondex::toolkit
