#include <string>

#include "mainwindow/DirListText.h"
#include "mainwindow/Fondexmf.h"
#include "toolkit/Error.h"
#include "util/Lists.h"

namespace fondex {

void TFondexMainForm::LoadDirList() {
  const auto attributes = platform_.files.GetAttributes(DirFileName);
  if (!attributes || (*attributes & platform::kDirectory) != 0) {
    return;
  }
  const auto bytes = platform_.files.ReadFile(DirFileName);
  if (!bytes) {
    dirFileKept_ = true;
    throw Error("Impossible de lire le fichier " + DirFileName);
  }
  DirListContents contents = ReadDirListText(*bytes);
  DirCounts = contents.counts;
  dirFileKept_ = contents.overfull;
  DirListeBox.SetVisible(false);
  DirListeBox.SetSorted(false);
  for (std::string& directory : contents.directories) {
    DirListeBox.Add(std::move(directory));
  }
  DirListeBox.SetSorted(true);
  DirListeBox.SetVisible(true);
  if (DirListeBox.Count() > 0) {
    util::RemoveDuplicates(DirListeBox, -1, false);
  }
  // Every directory is checked, from the last to the first; missing ones are dropped.
  DirListeBox.SetItemIndex(DirListeBox.Count() - 1);
  while (DirListeBox.ItemIndex() != -1) {
    const int index = DirListeBox.ItemIndex();
    if (OpenDirectory(index)) {
      DirListeBox.SetItemIndex(index - 1);
    }
  }
  DirListeBox.SetItemIndex(-1);
  if (contents.failure) {
    throw *contents.failure;
  }
}

void TFondexMainForm::SaveDirList() {
  if (dirFileKept_ && platform_.files.GetAttributes(DirFileName)) {
    throw Error("Le fichier " + DirFileName +
                " n'a pas pu être lu en entier : il est gardé tel quel et la liste des "
                "répertoires n'y est pas enregistrée");
  }
  const std::string text = DirListText(DirListeBox.Items(), DirCounts);
  // The new list replaces the old one whole, or not at all.
  if (!platform_.files.WriteFileAtomic(DirFileName, text)) {
    throw Error(
        "Impossible d'é"
        "crire le fichier " +
        DirFileName);
  }
}

}  // namespace fondex
