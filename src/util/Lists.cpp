#include "util/Lists.h"

#include "util/Paths.h"

namespace fondex::util {

namespace {

std::string ComparedForm(const std::string& text, bool caseSensitive) {
  return caseSensitive ? text : LowerAscii(text);
}

// Removes every item but cur that equals item cur; gives the reference's new index.
int RemoveCopiesOf(toolkit::StringList& list, int cur, bool caseSensitive) {
  const std::string ref = ComparedForm(list.Item(cur), caseSensitive);
  int i = 0;
  while (i < list.Count()) {
    if (i != cur && ComparedForm(list.Item(i), caseSensitive) == ref) {
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
  int cur = 0;
  do {
    cur = RemoveCopiesOf(list, cur, caseSensitive) + 1;
  } while (cur < list.Count());
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
  const std::string needle = ComparedForm(text, caseSensitive);
  for (int i = 0; i < list.Count(); ++i) {
    if (ComparedForm(list.Item(i), caseSensitive) == needle) {
      return i;
    }
  }
  return -1;
}

}  // namespace fondex::util
