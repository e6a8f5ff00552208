#pragma once

#include <string>
#include <vector>

namespace fondex::toolkit {

// An ordered list of single-byte texts indexed from 0, as a list box holds its items.
class StringList {
 public:
  virtual ~StringList() = default;
  virtual int Count() const = 0;
  // Item i; an index outside the list raises Error "List index out of bounds (i)".
  virtual const std::string& Item(int index) const = 0;
  virtual void Delete(int index) = 0;
  // Appends the text (a sorting list puts it in its sorted place); gives its index.
  virtual int Add(std::string text) = 0;
  // The list's own search: the first item equal to the text ignoring case, or -1.
  virtual int IndexOf(const std::string& text) const = 0;
};

// A plain list that never sorts.
class VectorStringList : public StringList {
 public:
  VectorStringList() = default;
  explicit VectorStringList(std::vector<std::string> items) : items_(std::move(items)) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const override;
  void Delete(int index) override;
  int Add(std::string text) override;
  int IndexOf(const std::string& text) const override;
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

// Order of a sorting list: ASCII case ignored, then byte order.
bool ListOrderLess(const std::string& a, const std::string& b);

// Equality with ASCII case ignored.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// Index of the first item equal to the text ignoring ASCII case, or -1.
int FindIgnoringCase(const std::vector<std::string>& items, const std::string& text);

}  // namespace fondex::toolkit
