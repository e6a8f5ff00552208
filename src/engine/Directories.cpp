#include "mainwindow/Fondexmf.h"
#include "util/Lists.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

int TFondexMainForm::NouveauRep(const std::string& path) {
  if (path.empty() || path == " ") {
    return -1;
  }
  const std::string name = util::LowerAscii(util::WithoutTrailingBackslash(path));
  // The list file holds one directory per line.
  if (name.find_first_of("\r\n") != std::string::npos) {
    util::ShowWarning(app_, "Le nom du répertoire " + name +
                                " tient sur plusieurs lignes : il n'est pas ajouté à la liste");
    return -1;
  }
  const int oldCount = DirListeBox.Count();
  if (oldCount >= DirCountTable::kSize && util::FindInList(DirListeBox, name, false) < 0) {
    util::ShowWarning(app_,
                      "La liste des répertoires est pleine : " + name + " n'y est pas ajouté");
    return -1;
  }
  const int index = util::AddUnique(DirListeBox, name, false);
  if (index == -1) {
    util::ShowError(app_, "Pépin : num = -1 dans NouveauRep");
    return -1;
  }
  if (DirListeBox.Count() > oldCount) {
    DirCounts.InsertAt(index, oldCount, DirCountTable::kUnknownCount);
  }
  return index;
}

int TFondexMainForm::AddDirectoryOfFile(const std::string& path) {
  return NouveauRep(util::DirectoryPart(path));
}

bool TFondexMainForm::OpenDirectory(int index) {
  if (index < 0) {
    return false;
  }
  const std::string entry = DirListeBox.Item(index);
  const std::string name = util::WithoutTrailingBackslash(entry);
  if (!util::IsDirectory(platform_.files, name)) {
    if (program_.ProgramState == TProgramState::StateStarting) {
      RemoveDirectoryEntry(index);
      return false;
    }
    util::ShowWarning(app_, "Le répertoire " + name + " est introuvable");
    // The list may have moved while the warning was open: the entry is removed by its name.
    const int current = util::FindInList(DirListeBox, entry, true);
    if (current >= 0) {
      RemoveDirectoryEntry(current);
    }
    return false;
  }
  const TProgramState state = program_.ProgramState;
  if (state == TProgramState::StateReadingWinIni || state == TProgramState::StateReady) {
    FichListeBox.SetDirectory(name);
    // An entry written with a trailing backslash does not find itself by name: it is the
    // opened entry that is selected and counted then.
    const int found = util::FindInList(DirListeBox, name, false);
    const int selected = found >= 0 ? found : index;
    DirListeBox.SetItemIndex(selected);
    DirCounts.Set(selected, FichListeBox.Count());
  }
  return true;
}

void TFondexMainForm::RemoveDirectoryEntry(int index) {
  const bool wasSelected = DirListeBox.ItemIndex() == index;
  const int used = DirListeBox.Count();
  DirListeBox.Delete(index);
  if (wasSelected) {
    const int count = DirListeBox.Count();
    DirListeBox.SetItemIndex(index < count ? index : count - 1);
  }
  DirCounts.RemoveAt(index, used);
}

}  // namespace fondex
