#include "mainwindow/Fondexmf.h"

#include <exception>

#include "mainwindow/PictureMasks.h"
#include "options/FondexOptions.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr const char* kFilesHint = "Fichiers disponibles dans ce répertoire";
constexpr const char* kDirectoriesHint = "Répertoires de recherche des papiers peints";

void Place(toolkit::Control& control, toolkit::Bounds bounds, std::string hint, int helpContext,
           int tabOrder) {
  control.bounds = bounds;
  control.hint = std::move(hint);
  control.helpContext = helpContext;
  control.tabOrder = tabOrder;
}

void PlaceButton(toolkit::BitButton& button, toolkit::Bounds bounds, std::string hint, int tabOrder,
                 std::string glyph, int numGlyphs) {
  Place(button, bounds, std::move(hint), 2, tabOrder);
  button.glyph = std::move(glyph);
  button.numGlyphs = numGlyphs;
}

const toolkit::Font kArial{"Arial", -13, false};

}  // namespace

TFondexMainForm::TFondexMainForm(ProgramWide& program, toolkit::Application& app,
                                 const platform::Platform& platform)
    : toolkit::Form("FondexMainForm"),
      FichListeBox("FichListeBox", this, platform.files, platform.collation),
      DirListeBox("DirListeBox", this, platform.collation),
      program_(program),
      app_(app),
      platform_(platform) {
  SetUpControls();
  BindHandlers();
  SetUpNotifyIcon();
  platform_.desktop.AddListener(this);
}

TFondexMainForm::~TFondexMainForm() {
  platform_.desktop.RemoveListener(this);
}

// The window as it was designed: client positions at 120 pixels per inch.
void TFondexMainForm::SetUpControls() {
  bounds = {0, 0, 465, 253};
  helpContext = 1;
  borderStyle = toolkit::BorderStyle::kSingle;
  minimizeBox = true;
  maximizeBox = false;

  Place(Label1, {15, 15, 165, 20}, kFilesHint, 0, -1);
  Label1.SetCaption("Fichiers disponibles :");
  Place(Label2, {205, 15, 107, 20}, kDirectoriesHint, 0, -1);
  Label2.SetCaption("Répertoires  :");

  Place(FichListeBox, {15, 40, 151, 116}, kFilesHint, 2, 0);
  FichListeBox.mask = kBitmapMask;
  FichListeBox.showGlyphs = true;
  FichListeBox.font = kArial;
  FichListeBox.itemHeight = 16;

  Place(DirListeBox, {175, 40, 281, 116}, kDirectoriesHint, 2, 1);
  DirListeBox.SetSorted(true);
  DirListeBox.font = kArial;
  DirListeBox.itemHeight = 16;

  Place(LblPPeintActuel, {15, 160, 157, 20}, "", 0, -1);
  LblPPeintActuel.SetCaption("Papier peint actuel :");

  Place(EditChoisiBMP, {15, 185, 236, 24}, "Entrez ici le nom d'un papier peint", 2, 2);
  EditChoisiBMP.font = kArial;
  EditChoisiBMP.holdsFileName = true;

  PlaceButton(BBtnSelectRep, {275, 183, 31, 31}, "Sélection de répertoires", 3, "ouvrir-repertoire",
              1);
  PlaceButton(BBtnSelectBMP, {313, 183, 31, 31}, "Sélection d'un papier peint", 4, "ouvrir-image",
              1);
  PlaceButton(BBtnNoWalp, {368, 183, 31, 31}, "Pas de papier peint", 6, "uni", 2);
  PlaceButton(BBtnHasard, {423, 183, 31, 31}, "Changement automatique du papier peint", 5, "hasard",
              2);
  PlaceButton(BBtnOptions, {375, 5, 31, 31}, "Options", 7, "options", 2);
  PlaceButton(BBtnApropos, {415, 5, 31, 31}, "A propos...", 8, "apropos", 1);

  Place(GeleChBox, {32, 224, 345, 17}, "", 0, 9);
  GeleChBox.SetCaption("Geler le choix automatique");
  GeleChBox.SetEnabled(false);

  SelectRepDialog.defaultExt = "BMP";
  SelectRepDialog.filter = "Images bitmap (*.BMP)|*.bmp|Tous les fichiers (*.*)|*.*";
  SelectRepDialog.hideReadOnly = true;
  SelectRepDialog.pathMustExist = true;

  SelectBMPDialog.defaultExt = "BMP";
  SelectBMPDialog.filter = kBitmapFilter;
  SelectBMPDialog.hideReadOnly = true;
  SelectBMPDialog.pathMustExist = true;
  SelectBMPDialog.fileMustExist = true;
  SelectBMPDialog.shareAware = true;
}

void TFondexMainForm::FormCreate() {
  program_.ProgramState = TProgramState::StateStarting;
  SetCaption("Fondex2");
  AppDir = util::DirectoryPart(platform_.files.ExecutablePath());
  DirFileName = AppDir + "FONDEX.DAT";
  EditChoisiBMP.SetText("???.BMP");
  // A failure here is reported, and start-up still goes on to the ready state on which the
  // options dialog's start-up step relies.
  app_.Dispatch([this] { LoadDirList(); });
  app_.Dispatch([this] { ReadDesktopWallpaper(); });
  platform_.drops.DragAcceptFiles(this, true);
  platform_.drops.DragAcceptFiles(&app_, true);
  app_.OnMessage = [this](toolkit::Message& message, bool& handled) {
    AppMessage(message, handled);
  };
  TickCount = 0;
  program_.ProgramState = TProgramState::StateReady;
}

void TFondexMainForm::FormCloseQuery(bool& canClose) {
  // A failed save is reported and the close goes on: refusing it would leave a window that can
  // never close, whose directory list is never saved.
  try {
    program_.OptBox->SaveSettings();
  } catch (const std::exception& error) {
    app_.ShowException(error);
  }
  if (program_.OptBox->ChBFinNone.Checked()) {
    ApplyWallpaper("");
  }
  canClose = true;
}

void TFondexMainForm::FormDestroy() {
  platform_.drops.DragAcceptFiles(this, false);
  platform_.drops.DragAcceptFiles(&app_, false);
  app_.OnMessage = nullptr;
  SaveDirList();
}

void TFondexMainForm::AppMessage(toolkit::Message& message, bool& handled) {
  if (message.message == toolkit::kWmDropFiles) {
    handled = true;
    ProcessDroppedFiles(message.wParam);
  }
}

void TFondexMainForm::WMDropFiles(toolkit::Message& message) {
  ProcessDroppedFiles(message.wParam);
  message.result = 0;
}

void TFondexMainForm::ProfileChanged() {
  WinIniChanged();
}

void TFondexMainForm::WinIniChanged() {
  switch (program_.ProgramState) {
    case TProgramState::StateOwnChange:
      // The notification of the program's own change: consumed, not read back.
      program_.ProgramState = TProgramState::StateReady;
      break;
    case TProgramState::StateReady:
      ReadDesktopWallpaper();
      break;
    case TProgramState::StateStarting:
    case TProgramState::StateReadingWinIni:
      break;
  }
}

}  // namespace fondex
