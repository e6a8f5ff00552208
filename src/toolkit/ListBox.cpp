#include "toolkit/ListBox.h"

#include <algorithm>

namespace fondex::toolkit {

const std::string& ListBox::Item(int index) const {
  CheckListIndex(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

void ListBox::Delete(int index) {
  CheckListIndex(index, Count());
  items_.erase(items_.begin() + index);
  const int oldSelection = itemIndex_;
  itemIndex_ = SelectionAfterDelete(itemIndex_, index);
  ItemsChanged.Emit();
  if (oldSelection != itemIndex_) {
    SelectionChanged.Emit();
  }
}

int ListBox::Add(std::string text) {
  auto place = items_.end();
  if (sorted_) {
    place = std::upper_bound(items_.begin(), items_.end(), text, NameOrder{Names()});
  }
  const int index = static_cast<int>(place - items_.begin());
  items_.insert(place, std::move(text));
  const bool selectionMoved = itemIndex_ >= index;
  if (selectionMoved) {
    ++itemIndex_;
  }
  ItemsChanged.Emit();
  if (selectionMoved) {
    SelectionChanged.Emit();
  }
  return index;
}

void ListBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  ItemsChanged.Emit();
  SelectionChanged.Emit();
}

void ListBox::SetSorted(bool sorted) {
  if (sorted_ == sorted) {
    return;
  }
  sorted_ = sorted;
  if (sorted_) {
    Resort();
  }
}

void ListBox::Resort() {
  const std::string selected = itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : "";
  const int selectedCopy =
      itemIndex_ >= 0
          ? static_cast<int>(std::count(items_.begin(), items_.begin() + itemIndex_, selected))
          : -1;
  // A text appended to a sorted list (the usual case) only needs to move to its place.
  if (items_.size() > 1) {
    const auto last = items_.end() - 1;
    const NameOrder order{Names()};
    if (std::is_sorted(items_.begin(), last, order)) {
      std::rotate(std::upper_bound(items_.begin(), last, *last, order), last, items_.end());
    } else {
      std::stable_sort(items_.begin(), items_.end(), order);
    }
  }
  if (selectedCopy >= 0) {
    // Find the same copy of the selected text again.
    auto found = std::find(items_.begin(), items_.end(), selected);
    for (int copy = 0; copy < selectedCopy; ++copy) {
      found = std::find(found + 1, items_.end(), selected);
    }
    itemIndex_ = static_cast<int>(found - items_.begin());
  }
  ItemsChanged.Emit();
  SelectionChanged.Emit();
}

void ListBox::SetItemIndex(int index) {
  index = ValidSelection(index, Count());
  if (itemIndex_ != index) {
    itemIndex_ = index;
    SelectionChanged.Emit();
  }
}

void ListBox::UserSelect(int index) {
  SetItemIndex(index);
  if (OnClick) {
    OnClick();
  }
}

}  // namespace fondex::toolkit
