#include "util/Lists.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace fondex::util {

namespace {

// Negative, zero or positive as a sorts before, with or after b; zero when the texts are equal.
int CompareTexts(const toolkit::StringList& list, const std::string& a, const std::string& b,
                 bool caseSensitive) {
  return caseSensitive ? a.compare(b) : list.Names().Compare(a, b);
}

bool SameText(const toolkit::StringList& list, const std::string& a, const std::string& b,
              bool caseSensitive) {
  return CompareTexts(list, a, b, caseSensitive) == 0;
}

// Removes every item but cur that equals item cur; gives the reference's new index.
int RemoveCopiesOf(toolkit::StringList& list, int cur, bool caseSensitive) {
  const std::string ref = list.Item(cur);
  int i = 0;
  while (i < list.Count()) {
    if (i != cur && SameText(list, list.Item(i), ref, caseSensitive)) {
      list.Delete(i);  // the next item moves into place i
      if (i < cur) {
        --cur;
      }
    } else {
      ++i;
    }
  }
  return cur;
}

// Whether each item equals an earlier one. Sorted with their indexes as the tie-break, equal
// items stand together behind their first occurrence: n log n comparisons, not n squared.
std::vector<bool> LaterCopies(const toolkit::StringList& list, bool caseSensitive) {
  std::vector<int> order(static_cast<std::size_t>(list.Count()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return CompareTexts(list, list.Item(a), list.Item(b), caseSensitive) < 0;
  });
  std::vector<bool> copies(order.size(), false);
  for (std::size_t k = 1; k < order.size(); ++k) {
    copies[static_cast<std::size_t>(order[k])] =
        SameText(list, list.Item(order[k - 1]), list.Item(order[k]), caseSensitive);
  }
  return copies;
}

}  // namespace

void RemoveDuplicates(toolkit::StringList& list, int index, bool caseSensitive) {
  if (index >= 0) {
    RemoveCopiesOf(list, index, caseSensitive);
    return;
  }
  toolkit::CheckListIndex(0, list.Count());
  const std::vector<bool> copies = LaterCopies(list, caseSensitive);
  for (int i = list.Count() - 1; i >= 0; --i) {
    if (copies[static_cast<std::size_t>(i)]) {
      list.Delete(i);
    }
  }
}

int AddUnique(toolkit::ListBox& listBox, const std::string& text, bool caseSensitive) {
  const bool sorted = listBox.Sorted();
  listBox.SetSorted(false);
  listBox.Add(text);
  RemoveDuplicates(listBox, listBox.Count() - 1, caseSensitive);
  listBox.SetSorted(sorted);
  return listBox.IndexOf(text);
}

int FindInList(const toolkit::StringList& list, const std::string& text, bool caseSensitive) {
  for (int i = 0; i < list.Count(); ++i) {
    if (SameText(list, list.Item(i), text, caseSensitive)) {
      return i;
    }
  }
  return -1;
}

}  // namespace fondex::util
