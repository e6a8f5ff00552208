#include "mainwindow/Fondexmf.h"
#include "toolkit/StringList.h"
#include "util/Lists.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr int kAnswerYes = 6;

}  // namespace

void TFondexMainForm::DeleteSelectedFile() {
  if (FichListeBox.ItemIndex() < 0) {
    return;  // no file to name in the question
  }
  const std::string directory = FichListeBox.Directory();
  const std::string full = FichListeBox.FileName();
  if (util::AskYesNo(app_, "Tenez-vous vraiment à effacer " + full + " ?") != kAnswerYes) {
    return;
  }
  if (!platform_.files.DeleteFile(full)) {
    util::ShowError(app_, "Impossible d'effacer le fichier " + full);
    return;
  }
  // The item of the deleted file goes, wherever the list stands after the question.
  const int removed =
      toolkit::EqualIgnoringCase(FichListeBox.Directory(), directory)
          ? util::FindInList(FichListeBox, util::NameAfterLastBackslash(full), false)
          : -1;
  if (removed >= 0) {
    FichListeBox.Delete(removed);
    if (FichListeBox.Count() > 0) {
      FichListeBox.SetItemIndex(removed == FichListeBox.Count() ? removed - 1 : removed);
    }
  }
  if (util::LowerAscii(full) != util::LowerAscii(CurrentWallpaper)) {
    return;
  }
  if (FichListeBox.Count() > 0 && util::AskYesNo(app_, "Changer le papier peint ?") == kAnswerYes) {
    ApplyWallpaper(FichListeBox.FileName());
    return;
  }
  ApplyWallpaper("");
  FichListeBox.SetItemIndex(-1);
}

}  // namespace fondex
