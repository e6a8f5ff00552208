#include "toolkit/FileListBox.h"

#include <algorithm>

#include "toolkit/StringList.h"

namespace fondex::toolkit {

namespace {

constexpr std::uint32_t kFilteredAttributes =
    platform::kHidden | platform::kSystem | platform::kVolumeLabel | platform::kDirectory;

}  // namespace

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

void FileListBox::Update() {
  std::string pattern = directory_;
  if (pattern.empty() || pattern.back() != '\\') {
    pattern += '\\';
  }
  pattern += mask;
  std::vector<platform::FoundEntry> found = files_.FindEntries(pattern);
  items_.clear();
  items_.reserve(found.size());
  for (platform::FoundEntry& entry : found) {
    if (Admits(entry.attributes)) {
      items_.push_back(std::move(entry.name));
    }
  }
  std::sort(items_.begin(), items_.end(), NameOrder{Names()});
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
