#pragma once

#include <string>

#include "toolkit/ListBox.h"
#include "toolkit/StringList.h"

// List routines over the items of the program's list boxes. Comparing without case takes the
// list's rules for names: the same name ignoring letter case, accented capitals included.
namespace fondex::util {

// With index >= 0, removes every other item equal to item index; with index -1, removes every
// item equal to an earlier one. The remaining items keep their order. The list must not be
// empty and index must be below its count (the list's own index check applies otherwise).
void RemoveDuplicates(toolkit::StringList& list, int index, bool caseSensitive);

// Adds the text and removes every older item equal to it, keeping the list box's sorting; gives
// the list's own index of the text, -1 when it cannot be found. The selection is left alone.
int AddUnique(toolkit::ListBox& listBox, const std::string& text, bool caseSensitive);

// Index of the first item equal to the text, or -1.
int FindInList(const toolkit::StringList& list, const std::string& text, bool caseSensitive);

}  // namespace fondex::util
