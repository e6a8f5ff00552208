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
  items_.clear();
  for (std::size_t start = 0; start <= mask.size();) {
    const std::size_t end = std::min(mask.find(';', start), mask.size());
    for (platform::FoundEntry& entry :
         files_.FindEntries(folder + mask.substr(start, end - start))) {
      if (Admits(entry.attributes)) {
        items_.push_back(std::move(entry.name));
      }
    }
    start = end + 1;
  }
  std::sort(items_.begin(), items_.end(), ListOrderLess);
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

int FileListBox::IndexOf(const std::string& text) const {
  return FindIgnoringCase(items_, text);
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
