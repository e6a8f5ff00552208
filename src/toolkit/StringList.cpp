#include "toolkit/StringList.h"

#include <algorithm>
#include <cstddef>

#include "toolkit/Error.h"

namespace fondex::toolkit {

namespace {

unsigned char LowerByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = LowerByte(a[i]);
    const unsigned char y = LowerByte(b[i]);
    if (x != y) {
      return x < y ? -1 : 1;
    }
  }
  if (a.size() == b.size()) {
    return 0;
  }
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int SelectionAfterDelete(int selection, int deleted) {
  if (deleted == selection) {
    return -1;
  }
  return deleted < selection ? selection - 1 : selection;
}

int ValidSelection(int index, int count) {
  return index < -1 || index >= count ? -1 : index;
}

void CheckListIndex(int index, int count) {
  if (index < 0 || index >= count) {
    throw Error("List index out of bounds (" + std::to_string(index) + ")");
  }
}

bool ListOrderLess(const std::string& a, const std::string& b) {
  const int order = CompareIgnoringCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

int FindIgnoringCase(const std::vector<std::string>& items, const std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (EqualIgnoringCase(items[i], text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

const std::string& VectorStringList::Item(int index) const {
  CheckListIndex(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

void VectorStringList::Delete(int index) {
  CheckListIndex(index, Count());
  items_.erase(items_.begin() + index);
}

int VectorStringList::Add(std::string text) {
  items_.push_back(std::move(text));
  return Count() - 1;
}

int VectorStringList::IndexOf(const std::string& text) const {
  return FindIgnoringCase(items_, text);
}

}  // namespace fondex::toolkit
