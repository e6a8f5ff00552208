#include "util/Lists.h"

#include <unordered_set>

#include "util/Paths.h"

namespace fondex::util {

namespace {

std::string ComparedForm(const std::string& text, bool caseSensitive) {
  return caseSensitive ? text : LowerAscii(text);
}

bool SameText(const std::string& a, const std::string& b, bool caseSensitive) {
  return caseSensitive ? a == b : toolkit::EqualIgnoringCase(a, b);
}

// Removes every item but cur that equals item cur; gives the reference's new index.
int RemoveCopiesOf(toolkit::StringList& list, int cur, bool caseSensitive) {
  const std::string ref = list.Item(cur);
  int i = 0;
  while (i < list.Count()) {
    if (i != cur && SameText(list.Item(i), ref, caseSensitive)) {
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

}  // namespace

void RemoveDuplicates(toolkit::StringList& list, int index, bool caseSensitive) {
  if (index >= 0) {
    RemoveCopiesOf(list, index, caseSensitive);
    return;
  }
  // Each text keeps its first occurrence; one pass with the texts seen so far gives the same
  // list as comparing every item with every earlier one.
  toolkit::CheckListIndex(0, list.Count());
  std::unordered_set<std::string> seen;
  int i = 0;
  while (i < list.Count()) {
    if (seen.insert(ComparedForm(list.Item(i), caseSensitive)).second) {
      ++i;
    } else {
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
    if (SameText(list.Item(i), text, caseSensitive)) {
      return i;
    }
  }
  return -1;
}

}  // namespace fondex::util
