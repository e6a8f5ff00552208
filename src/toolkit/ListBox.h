#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/StringList.h"

namespace fondex::toolkit {

// A single-selection list box whose items can keep themselves sorted, in the user's order of
// names.
class ListBox : public Control, public StringList {
 public:
  ListBox(std::string name, Control* parent, const platform::Collation& names)
      : Control(ControlKind::kListBox, std::move(name), parent), StringList(names) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const override;
  void Delete(int index) override;
  int Add(std::string text) override;
  void Clear();
  const std::vector<std::string>& Items() const { return items_; }

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);  // switching it on re-sorts the items

  // Selected index, -1 for none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

  int itemHeight = 16;

  // The user selected an item, with the mouse or the keyboard (after ItemIndex changed).
  std::function<void()> OnClick;
  void UserSelect(int index);

  Signal<> ItemsChanged;
  Signal<> SelectionChanged;

 private:
  void Resort();

  std::vector<std::string> items_;
  bool sorted_ = false;
  int itemIndex_ = -1;
};

}  // namespace fondex::toolkit
