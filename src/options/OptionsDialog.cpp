// What the options dialog does while it is shown: snapshot and Cancel, the delay's spin
// button, the technique buttons and the recount.
#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "options/TechniqueButtons.h"
#include "util/Checked.h"
#include "util/Messages.h"

namespace fondex {

namespace {

// The delay's grid: steps of 1 up to 10, of 5 up to 30, of 10 up to 360.
std::int32_t StepUp(std::int32_t minutes) {
  if (minutes < 10) {
    return minutes + 1;
  }
  return minutes < 30 ? minutes + 5 : minutes + 10;
}

std::int32_t StepDown(std::int32_t minutes) {
  if (minutes <= 10) {
    return minutes - 1;
  }
  return minutes <= 30 ? minutes - 5 : minutes - 10;
}

bool ShowsPair(const options::TechniqueButton& row, THasardTech tech, THasardLieu lieu) {
  return row.tech == tech && (!row.lieu || *row.lieu == lieu);
}

}  // namespace

void TOptBox::FormShow() {
  SavedHasardLieu = OpHasardLieu;
  SavedHasardTech = OpHasardTech;
  SavedLancement = ChBLancement.Checked();
  SavedAuto = ChBAuto.Checked();
  SavedDelai = GetDelai();
  SavedFinNone = ChBFinNone.Checked();
  SavedCaches = ChBCaches.Checked();
  SavedAutresFormats = ChBAutresFormats.Checked();
  SavedIconeNotif = ChBIconeNotif.Checked();
  SavedDisposition = Disposition();
  SavedParEcran = ChBParEcran.Checked();
  EdDelai.SetEnabled(ChBAuto.Checked());
  SpBDelai.SetEnabled(ChBAuto.Checked());
}

void TOptBox::OKBtnClick() {
  SaveSettings();
}

void TOptBox::CancelBtnClick() {
  SetHasardLieu(SavedHasardLieu);
  SetHasardTech(SavedHasardTech);
  ChBLancement.SetChecked(SavedLancement);
  ChBAuto.SetChecked(SavedAuto);
  SetDelai(SavedDelai);
  ChBFinNone.SetChecked(SavedFinNone);
  ChBCaches.SetChecked(SavedCaches);
  ChBAutresFormats.SetChecked(SavedAutresFormats);
  ChBIconeNotif.SetChecked(SavedIconeNotif);
  SetDisposition(SavedDisposition);
  ChBParEcran.SetChecked(SavedParEcran);
}

void TOptBox::ChBAutoClick() {
  EdDelai.SetEnabled(ChBAuto.Checked());
  SpBDelai.SetEnabled(ChBAuto.Checked());
}

void TOptBox::SpBDelaiUpClick() {
  const std::int32_t minutes = GetDelai();
  if (minutes < 360) {
    SetDelai(StepUp(minutes));
  }
}

void TOptBox::SpBDelaiDownClick() {
  const std::int32_t minutes = GetDelai();
  if (minutes > 0) {
    SetDelai(StepDown(minutes));
  }
}

void TOptBox::ShowTechnique() {
  // Checking a button runs ChoixTechClick again; the button maps back to the pair it was
  // derived from, so that re-entry leaves the pair as it is.
  for (const int index : options::kShowOrder) {
    const options::TechniqueButton& row = options::kTechniqueButtons[index];
    (this->*row.button).SetChecked(ShowsPair(row, OpHasardTech, OpHasardLieu));
  }
}

void TOptBox::ChoixTechClick() {
  for (const options::TechniqueButton& row : options::kTechniqueButtons) {
    if ((this->*row.button).Checked()) {
      SetHasardTech(row.tech);
      if (row.lieu) {
        SetHasardLieu(*row.lieu);
      }
      return;
    }
  }
  util::ShowInfo(app_, "Pépin dans ChoixTechClick : OpHasardLieu et Tech non affectés");
}

void TOptBox::CompteBBtnClick() {
  TFondexMainForm& main = MainForm();
  const int selected = main.DirListeBox.ItemIndex();
  main.TotalCount = 0;
  int index = 0;
  // A missing directory is warned about and removed by OpenDirectory; the next one then
  // takes its index.
  while (index < main.DirListeBox.Count()) {
    const int listed = main.DirListeBox.Count();
    if (main.OpenDirectory(index)) {
      const std::int32_t count = main.FichListeBox.Count();
      main.DirCounts.Set(index, count);
      main.TotalCount = util::CheckedAdd(main.TotalCount, count);
      ++index;
    } else if (main.DirListeBox.Count() == listed) {
      ++index;  // failed without a removal: step over it rather than try it forever
    }
  }
  if (selected >= 0 && selected < main.DirListeBox.Count()) {
    main.OpenDirectory(selected);
  }
  util::ShowInfoNumber(app_, " Nombre de papiers peints : ", main.TotalCount);
}

}  // namespace fondex
