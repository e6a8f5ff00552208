#include "toolkit/StringList.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "toolkit/Error.h"

namespace fondex::toolkit {

namespace {

unsigned char LowerByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
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

bool NameOrder::operator()(const std::string& a, const std::string& b) const {
  const int order = names.Compare(a, b);
  return order != 0 ? order < 0 : a < b;
}

void SortNames(std::vector<std::string>& names, const platform::Collation& collation) {
  struct Entry {
    std::string key;
    bool keyed;
    std::string* name;
  };
  std::vector<Entry> entries;
  entries.reserve(names.size());
  for (std::string& name : names) {
    std::optional<std::string> key = collation.SortKey(name);
    entries.push_back({key ? std::move(*key) : std::string(), key.has_value(), &name});
  }
  const NameOrder order{collation};
  std::sort(entries.begin(), entries.end(), [&order](const Entry& a, const Entry& b) {
    if (a.keyed && b.keyed) {
      if (const int byKey = a.key.compare(b.key); byKey != 0) {
        return byKey < 0;
      }
    }
    return order(*a.name, *b.name);
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const Entry& entry : entries) {
    sorted.push_back(std::move(*entry.name));
  }
  names = std::move(sorted);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerByte(x) == LowerByte(y); });
}

int StringList::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i) {
    if (names_.Compare(Item(i), text) == 0) {
      return i;
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

}  // namespace fondex::toolkit
