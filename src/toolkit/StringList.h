#pragma once

#include <string>
#include <vector>

#include "platform/Collation.h"

namespace fondex::toolkit {

// An ordered list of texts indexed from 0, as a list box holds its items. It compares them by
// the user's rules for names.
class StringList {
 public:
  explicit StringList(const platform::Collation& names) : names_(names) {}
  virtual ~StringList() = default;
  virtual int Count() const = 0;
  // Item i; an index outside the list raises Error "List index out of bounds (i)".
  virtual const std::string& Item(int index) const = 0;
  virtual void Delete(int index) = 0;
  // Appends the text (a sorting list puts it in its sorted place); gives its index.
  virtual int Add(std::string text) = 0;
  // The list's own search: the first item that is the same name as the text ignoring case, or
  // -1.
  int IndexOf(const std::string& text) const;
  const platform::Collation& Names() const { return names_; }

 private:
  const platform::Collation& names_;
};

// A plain list that never sorts.
class VectorStringList : public StringList {
 public:
  explicit VectorStringList(const platform::Collation& names, std::vector<std::string> items = {})
      : StringList(names), items_(std::move(items)) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const override;
  void Delete(int index) override;
  int Add(std::string text) override;
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

// The selection after deleting the item at index: it goes with its item and follows the others.
int SelectionAfterDelete(int selection, int deleted);

// A selection the list can hold: an index outside the list selects nothing.
int ValidSelection(int index, int count);

// Raises the list's own index error unless 0 <= index < count.
void CheckListIndex(int index, int count);

// Order of a sorting list: the user's order of names, then byte order between the spellings of
// one name.
struct NameOrder {
  const platform::Collation& names;
  bool operator()(const std::string& a, const std::string& b) const;
};

// Sorts the names in NameOrder, by their collation keys where they have one.
void SortNames(std::vector<std::string>& names, const platform::Collation& collation);

// Equality of paths with the ASCII capitals lowered, as the program stores paths.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace fondex::toolkit
