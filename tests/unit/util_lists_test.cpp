#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeCollation.h"
#include "toolkit/Error.h"
#include "toolkit/ListBox.h"
#include "toolkit/StringList.h"
#include "util/Lists.h"

namespace fondex::util {
namespace {

using Items = std::vector<std::string>;
using toolkit::ListBox;
using toolkit::VectorStringList;

const test::FakeCollation kNames;

Items AfterRemoving(Items items, int index, bool caseSensitive) {
  VectorStringList list(kNames, std::move(items));
  RemoveDuplicates(list, index, caseSensitive);
  return list.Items();
}

TEST(RemoveDuplicates, KeepsTheReferenceItemAndDropsItsCopies) {
  // The reference is the capital A: it stays, one place lower for the copy removed before it.
  EXPECT_EQ(AfterRemoving({"a", "b", "A", "a"}, 2, false), (Items{"b", "A"}));
  EXPECT_EQ(AfterRemoving({"a", "b", "a", "a"}, 3, false), (Items{"b", "a"}));
  EXPECT_EQ(AfterRemoving({"A", "b", "A", "a"}, 2, true), (Items{"b", "A", "a"}));
  // Other duplicates are left alone when one index is given.
  EXPECT_EQ(AfterRemoving({"x", "y", "x", "y"}, 1, false), (Items{"x", "y", "x"}));
}

TEST(RemoveDuplicates, WithoutIndexKeepsEachFirstOccurrence) {
  EXPECT_EQ(AfterRemoving({"x", "y", "X", "x", "y"}, -1, false), (Items{"x", "y"}));
  EXPECT_EQ(AfterRemoving({"x", "y", "X", "x", "y"}, -1, true), (Items{"x", "y", "X"}));
  EXPECT_EQ(AfterRemoving({"C:\\IMAGES", "d:\\fonds", "c:\\images"}, -1, false),
            (Items{"C:\\IMAGES", "d:\\fonds"}));
  EXPECT_EQ(AfterRemoving({"\xC9t\xC9", "\xE9t\xE9"}, -1, false),
            (Items{"\xC9t\xC9", "\xE9t\xE9"}));
  EXPECT_EQ(AfterRemoving({"seul"}, -1, false), (Items{"seul"}));
}

TEST(RemoveDuplicates, AnIndexOutsideTheListReachesTheListsCheck) {
  VectorStringList list(kNames, Items{"a", "b"});
  EXPECT_THROW(RemoveDuplicates(list, 2, false), Error);
  EXPECT_EQ(list.Items(), (Items{"a", "b"}));
}

class AddUniqueTests : public ::testing::Test {
 protected:
  AddUniqueTests() : listBox("DirListeBox", nullptr, kNames) {
    listBox.SetSorted(true);
    for (const char* dir : {"d:\\fonds", "a:\\vrac", "c:\\images"}) {
      listBox.Add(dir);
    }
  }

  ListBox listBox;
};

TEST_F(AddUniqueTests, AKnownTextReplacesItsCopyAtItsSortedPlace) {
  listBox.SetItemIndex(2);
  EXPECT_EQ(AddUnique(listBox, "C:\\Images", false), 1);
  EXPECT_EQ(listBox.Items(), (Items{"a:\\vrac", "C:\\Images", "d:\\fonds"}));
  EXPECT_TRUE(listBox.Sorted());
  EXPECT_EQ(listBox.ItemIndex(), 2);
}

TEST_F(AddUniqueTests, ANewTextGivesItsSortedPositionAndLeavesTheSelection) {
  listBox.SetItemIndex(2);
  EXPECT_EQ(AddUnique(listBox, "b:\\neuf", false), 1);
  EXPECT_EQ(listBox.Items(), (Items{"a:\\vrac", "b:\\neuf", "c:\\images", "d:\\fonds"}));
  EXPECT_EQ(listBox.Item(listBox.ItemIndex()), "d:\\fonds");
}

TEST_F(AddUniqueTests, CaseSensitiveKeepsBothAndAnswersTheListsOwnSearch) {
  listBox.Add("B:\\VRAC");
  // The list's search ignores case: it finds the older copy, which sorts first.
  EXPECT_EQ(AddUnique(listBox, "b:\\vrac", true), 1);
  EXPECT_EQ(listBox.Items(),
            (Items{"a:\\vrac", "B:\\VRAC", "b:\\vrac", "c:\\images", "d:\\fonds"}));
}

TEST(AddUnique, AnUnsortedListBoxKeepsTheTextAtTheEnd) {
  ListBox listBox("Liste", nullptr, kNames);
  listBox.Add("z");
  listBox.Add("m");
  listBox.Add("Z");
  EXPECT_EQ(AddUnique(listBox, "a", false), 3);
  EXPECT_EQ(AddUnique(listBox, "z", false), 2);
  EXPECT_EQ(listBox.Items(), (Items{"m", "a", "z"}));
  EXPECT_FALSE(listBox.Sorted());
}

TEST(FindInList, GivesTheFirstEqualItem) {
  EXPECT_EQ(FindInList(VectorStringList(kNames), "a", false), -1);
  const VectorStringList list(kNames, Items{"mer.bmp", "foret.bmp", "\xC9T\xC9.BMP", "MER.BMP"});
  EXPECT_EQ(FindInList(list, "MER.bmp", false), 0);
  EXPECT_EQ(FindInList(list, "MER.BMP", true), 3);
  EXPECT_EQ(FindInList(list, "\xC9t\xC9.bmp", false), 2);
  EXPECT_EQ(FindInList(list, "\xE9t\xE9.bmp", false), -1);
  EXPECT_EQ(FindInList(list, "mer", false), -1);
  EXPECT_EQ(FindInList(list, "", false), -1);
}

// Letter case is ignored for accented capitals too; accents still make two names.
TEST(ListRoutines, AccentedNamesAreOneNameOnlyWhenTheyDifferByCase) {
  EXPECT_EQ(AfterRemoving({"c:\\été", "c:\\ete", "c:\\ÉTÉ", "c:\\Été", "c:\\ETE"}, -1, false),
            (Items{"c:\\été", "c:\\ete"}));
  EXPECT_EQ(AfterRemoving({"c:\\été", "c:\\ÉTÉ"}, -1, true), (Items{"c:\\été", "c:\\ÉTÉ"}));
  EXPECT_EQ(AfterRemoving({"Ça", "ca", "ça", "çà"}, 2, false), (Items{"ca", "ça", "çà"}));

  const VectorStringList files(kNames, Items{"ete.bmp", "ÉTÉ.BMP", "été.bmp"});
  EXPECT_EQ(FindInList(files, "été.bmp", false), 1);
  EXPECT_EQ(FindInList(files, "été.bmp", true), 2);
  EXPECT_EQ(FindInList(files, "ETE.BMP", false), 0);
  EXPECT_EQ(files.IndexOf("Été.bmp"), 1);
}

TEST_F(AddUniqueTests, AccentedNamesTakeTheirFrenchPlaces) {
  EXPECT_EQ(AddUnique(listBox, "c:\\zèbre", false), 2);
  EXPECT_EQ(AddUnique(listBox, "c:\\été", false), 1);
  // The same directory in capitals replaces it at the same place.
  EXPECT_EQ(AddUnique(listBox, "c:\\ÉtÉ", false), 1);
  EXPECT_EQ(listBox.Items(),
            (Items{"a:\\vrac", "c:\\ÉtÉ", "c:\\images", "c:\\zèbre", "d:\\fonds"}));
}

}  // namespace
}  // namespace fondex::util
