#include "options/FondexOptions.h"

#include <initializer_list>

#include "options/OptionPanel.h"
#include "options/TechniqueButtons.h"

namespace fondex {

namespace {

using toolkit::BitButtonKind;
using toolkit::Bounds;

using options::kTitleFont;

const toolkit::Font kFormFont{"MS Sans Serif", -14, true};
constexpr int kOptionsHelp = 3;
constexpr int kDialogWidth = 579;
// Below the last area, as below the hidden-files area of the designed dialog.
constexpr int kBottomMargin = 18;

// Every control below the form draws with the form's font unless it is given its own.
void FollowFont(toolkit::Control& parent, const toolkit::Font& font) {
  for (toolkit::Control* child : parent.Children()) {
    child->font = font;
    child->parentFont = true;
    FollowFont(*child, font);
  }
}

void SetUpTitle(toolkit::Label& label, Bounds bounds, std::string caption) {
  label.bounds = bounds;
  label.font = kTitleFont;
  label.parentFont = false;
  label.SetCaption(std::move(caption));
}

void SetUpCheckBox(toolkit::CheckBox& box, Bounds bounds, std::string caption, std::string hint,
                   int tabOrder) {
  box.bounds = bounds;
  box.SetCaption(std::move(caption));
  box.hint = std::move(hint);
  box.helpContext = kOptionsHelp;
  box.tabOrder = tabOrder;
}

struct ButtonLook {
  BitButtonKind kind;
  int modalResult;
  const char* caption;
  const char* hint;
};

void SetUpButton(toolkit::BitButton& button, Bounds bounds, const ButtonLook& look, int tabOrder) {
  button.bounds = bounds;
  button.buttonKind = look.kind;
  button.modalResult = look.modalResult;
  button.caption = look.caption;
  button.hint = look.hint;
  button.isDefault = look.kind == BitButtonKind::kOK;
  button.isCancel = look.kind == BitButtonKind::kCancel;
  button.tabOrder = tabOrder;
}

// The upper frame: its title and the technique buttons with the recount.
void LayOutTechniqueArea(TOptBox& box) {
  box.Bevel1.bounds = {18, 12, 419, 420};
  SetUpTitle(box.Label1, {90, 21, 275, 20}, "Choix automatique du papier peint");
  box.ChangeAutoGBox.bounds = {32, 56, 389, 241};
  box.ChangeAutoGBox.caption = "Technique de choix du papier peint";
  box.ChangeAutoGBox.tabOrder = 9;
  for (const options::TechniqueButton& row : options::kTechniqueButtons) {
    toolkit::RadioButton& button = box.*row.button;
    button.bounds = row.bounds;
    button.SetCaption(row.caption);
    button.hint = row.hint;
    button.tabOrder = row.tabOrder;
    button.OnClick = [&box] { box.ChoixTechClick(); };
  }
  SetUpButton(box.CompteBBtn, {292, 20, 89, 41},
              {BitButtonKind::kRetry, toolkit::mr::kRetry, "Compte",
               "Remet à jour le dé"
               "compte des papiers peints"},
              7);
}

// The settings' check boxes, with the delay beside the automatic change.
void LayOutSettingBoxes(TOptBox& box) {
  SetUpCheckBox(box.ChBLancement, {62, 320, 296, 21}, "Changement au lancement de Fondex",
                "Permet de changer un papier peint (choisi selon la technique ci-dessus) à chaque "
                "fois que Fondex est lancé",
                4);
  SetUpCheckBox(box.ChBAuto, {62, 357, 105, 21}, "Toutes les ",
                "Fréquence du changement automatique du papier peint", 5);
  box.EdDelai.bounds = {172, 357, 45, 24};
  box.EdDelai.readOnly = true;
  box.EdDelai.SetText("60");
  box.EdDelai.helpContext = kOptionsHelp;
  box.EdDelai.tabOrder = 6;
  // Mouse only: the spin button takes no focus.
  box.SpBDelai.bounds = {215, 357, 20, 25};
  box.SpBDelai.helpContext = kOptionsHelp;
  box.SpBDelai.tabOrder = -1;
  box.Label3.bounds = {246, 357, 67, 20};
  box.Label3.SetCaption("minutes");
  SetUpCheckBox(box.ChBFinNone, {62, 394, 296, 21}, "Papier peint uni en fermant Fondex",
                "Supprime tout papier peint dès que Fondex est arrêté", 8);
}

// The framed areas, one below the other: the dialog grows to hold them.
void LayOutPanels(TOptBox& box) {
  constexpr int kCachesTop = 443;
  const options::OptionPanel caches = options::CheckBoxPanel(box.Bevel2, box.Label2, box.ChBCaches,
                                                             "Tenir compte des fichiers cachés");
  caches.LayOut(kCachesTop,
                {"Fichiers cachés",
                 "Permet la prise en compte des fichiers cachés dans les répertoires", 266, 3});
  const options::OptionPanel formats = options::CheckBoxPanel(
      box.Bevel3, box.Label4, box.ChBAutresFormats, "Tenir compte des images JPEG, PNG et WebP");
  formats.LayOut(
      caches.NextTop(),
      {"Formats d'images",
       "Permet la prise en compte des images JPEG, PNG et WebP dans les répertoires", 340, 10});
  const options::OptionPanel notification = options::CheckBoxPanel(
      box.Bevel4, box.Label5, box.ChBIconeNotif, "Afficher une icône dans la zone de notification");
  notification.LayOut(
      formats.NextTop(),
      {"Zone de notification",
       "Fondex se range dans la zone de notification, d'où son menu le commande", 340, 11});
  const options::OptionPanel layout{box.BevelDisposition, box.LabelDisposition,
                                    box.DispositionListeBox};
  // Every line shows: the list does not scroll.
  const int listHeight =
      static_cast<int>(options::kLayouts.size()) * box.DispositionListeBox.itemHeight + 4;
  layout.LayOut(notification.NextTop(),
                {"Disposition du papier peint", "Façon dont le papier peint couvre l'écran", 200,
                 12, listHeight});
  const options::OptionPanel screens =
      options::CheckBoxPanel(box.BevelEcrans, box.LabelEcrans, box.ChBParEcran,
                             "Un papier peint différent sur chaque écran");
  screens.LayOut(layout.NextTop(),
                 {"Écrans", "Chaque écran reçoit son propre papier peint", 340, 13});
  for (toolkit::Control* control : std::initializer_list<toolkit::Control*>{
           &box.ChBCaches, &box.ChBAutresFormats, &box.ChBIconeNotif, &box.DispositionListeBox,
           &box.ChBParEcran}) {
    control->helpContext = kOptionsHelp;
  }
  const toolkit::Bounds last = box.BevelEcrans.bounds;
  box.bounds = {0, 0, kDialogWidth, last.top + last.height + kBottomMargin};
}

void LayOutButtons(TOptBox& box) {
  SetUpButton(box.OKBtn, {459, 120, 101, 99},
              {BitButtonKind::kOK, toolkit::mr::kOK, "OK", "Valider les options"}, 0);
  SetUpButton(
      box.CancelBtn, {459, 335, 95, 33},
      {BitButtonKind::kCancel, toolkit::mr::kCancel, "Annuler", "Quitte sans valider les options"},
      1);
  SetUpButton(
      box.HelpBtn, {459, 479, 95, 33},
      {BitButtonKind::kHelp, toolkit::mr::kNone, "Aide", "Si quelque chose n'est pas clair..."}, 2);
  for (toolkit::BitButton* button : {&box.OKBtn, &box.CancelBtn, &box.HelpBtn}) {
    button->helpContext = kOptionsHelp;
  }
  box.SetActiveControl(&box.OKBtn);
}

}  // namespace

TOptBox::TOptBox(ProgramWide& program, toolkit::Application& app,
                 const platform::Platform& platform)
    : toolkit::Form("OptBox"),
      DispositionListeBox("DispositionListeBox", this, platform.collation),
      program_(program),
      app_(app),
      platform_(platform) {
  for (const options::LayoutRow& row : options::kLayouts) {
    DispositionListeBox.Add(row.caption);
  }
  DispositionListeBox.SetItemIndex(0);
  SetCaption("Fondex : Options");
  borderStyle = toolkit::BorderStyle::kDialog;
  minimizeBox = false;
  maximizeBox = false;
  position = toolkit::FormPosition::kScreenCenter;
  font = kFormFont;
  FollowFont(*this, kFormFont);
  LayOutTechniqueArea(*this);
  LayOutSettingBoxes(*this);
  LayOutButtons(*this);
  LayOutPanels(*this);
  // A system that shows one picture on all its screens cannot take the option.
  ChBParEcran.SetEnabled(platform.desktop.SetsEachScreen());

  OnShow = [this] { FormShow(); };
  ChBAuto.OnClick = [this] { ChBAutoClick(); };
  SpBDelai.OnUpClick = [this] { SpBDelaiUpClick(); };
  SpBDelai.OnDownClick = [this] { SpBDelaiDownClick(); };
  OKBtn.OnClick = [this] { OKBtnClick(); };
  CancelBtn.OnClick = [this] { CancelBtnClick(); };
  CompteBBtn.OnClick = [this] { CompteBBtnClick(); };
  HelpBtn.OnClick = [this] { app_.ShowHelp(kOptionsHelp); };
}

}  // namespace fondex
