#include "about/FondexAboutBox.h"
#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "util/Lists.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr int kKeyB = 'B';
constexpr int kKeyH = 'H';
constexpr int kKeyP = 'P';
constexpr int kKeyR = 'R';

}  // namespace

void TFondexMainForm::BindHandlers() {
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnScreenChange = [this] { FormScreenChange(); };
  const toolkit::KeyHandler formKeys = [this](int key, toolkit::ShiftState shift) {
    FormKeyDown(key, shift);
  };
  OnKeyDown = formKeys;
  for (toolkit::BitButton* button :
       {&BBtnSelectRep, &BBtnSelectBMP, &BBtnNoWalp, &BBtnHasard, &BBtnOptions, &BBtnApropos}) {
    button->OnKeyDown = formKeys;
  }
  BBtnSelectRep.OnClick = [this] { BBtnSelectRepClick(); };
  BBtnSelectBMP.OnClick = [this] { BBtnSelectBMPClick(); };
  BBtnNoWalp.OnClick = [this] { BBtnNoWalpClick(); };
  BBtnHasard.OnClick = [this] { BBtnHasardClick(&BBtnHasard); };
  BBtnOptions.OnClick = [this] { BBtnOptionsClick(); };
  BBtnApropos.OnClick = [this] { BBtnAproposClick(); };
  EditChoisiBMP.OnKeyPress = [this](char& key) { EditChoisiBMPKeyPress(key); };
  DirListeBox.OnClick = [this] { DirListeBoxClick(); };
  DirListeBox.OnKeyUp = [this](int key, toolkit::ShiftState shift) {
    DirListeBoxKeyUp(key, shift);
  };
  FichListeBox.OnDblClick = [this] { FichListeBoxDblClick(); };
  FichListeBox.OnKeyUp = [this](int key, toolkit::ShiftState shift) {
    FichListeBoxKeyUp(key, shift);
  };
  ChangeTimer.OnTimer = [this] { ChangeTimerTimer(); };
}

void TFondexMainForm::BBtnSelectBMPClick() {
  SelectBMPDialog.title = "Sélection d'une image";
  const auto chosen = app_.RunOpenDialog(SelectBMPDialog);
  if (!chosen) {
    return;
  }
  SelectBMPDialog.fileName = *chosen;
  ApplyWallpaper(util::LowerAscii(*chosen));
}

void TFondexMainForm::BBtnSelectRepClick() {
  SelectRepDialog.title = "Sélection d'un répertoire";
  SelectRepDialog.fileName = "papier.bmp";
  const auto chosen = app_.RunOpenDialog(SelectRepDialog);
  if (!chosen) {
    return;
  }
  // The dialog opens again where the user last chose, as the system's own dialog does.
  SelectRepDialog.initialDir = util::DirectoryPart(*chosen);
  OpenDirectory(AddDirectoryOfFile(*chosen));
}

void TFondexMainForm::EditChoisiBMPKeyPress(char& key) {
  if (key == toolkit::vk::kReturn) {
    key = 0;
    ApplyWallpaper(util::LowerAscii(EditChoisiBMP.Text()));
  } else if (key == toolkit::vk::kEscape) {
    key = 0;
    app_.Minimize();
  }
}

void TFondexMainForm::DirListeBoxClick() {
  OpenDirectory(DirListeBox.ItemIndex());
}

void TFondexMainForm::FichListeBoxDblClick() {
  ApplyWallpaper(FichListeBox.FileName());
}

void TFondexMainForm::DirListeBoxKeyUp(int key, toolkit::ShiftState shift) {
  if (shift.shift) {
    FormKeyDown(key, shift);
    return;
  }
  if (key == toolkit::vk::kDelete) {
    const int removed = DirListeBox.ItemIndex();
    if (removed < 0) {
      return;  // nothing selected: nothing to remove
    }
    RemoveDirectoryEntry(removed);
    if (removed < DirListeBox.Count()) {
      OpenDirectory(removed);
    } else if (removed > 0) {
      OpenDirectory(removed - 1);
    } else {
      FichListeBox.Clear();
    }
  } else if (key == kKeyH) {
    if (DirListeBox.Count() > 0) {
      OpenDirectory(static_cast<int>(Random.Draw(static_cast<std::uint32_t>(DirListeBox.Count()))));
    }
  } else {
    FormKeyDown(key, shift);
  }
}

void TFondexMainForm::FichListeBoxKeyUp(int key, toolkit::ShiftState shift) {
  if (shift.shift) {
    FormKeyDown(key, shift);
  } else if (key == toolkit::vk::kReturn) {
    ApplyWallpaper(FichListeBox.FileName());
  } else if (key == toolkit::vk::kDelete) {
    DeleteSelectedFile();
  } else if (key == kKeyH) {
    BBtnHasardClick(&FichListeBox);
  } else {
    FormKeyDown(key, shift);
  }
}

void TFondexMainForm::FormKeyDown(int key, toolkit::ShiftState /*shift*/) {
  switch (key) {
    case toolkit::vk::kEscape:
      app_.Minimize();
      break;
    case toolkit::vk::kSpace:
      BBtnNoWalpClick();
      break;
    case kKeyB:
    case kKeyP:
      BBtnSelectBMPClick();
      break;
    case kKeyH:
      BBtnHasardClick(this);
      break;
    case kKeyR:
      BBtnSelectRepClick();
      break;
    default:
      break;
  }
}

void TFondexMainForm::BBtnNoWalpClick() {
  ApplyWallpaper("");
}

void TFondexMainForm::BBtnAproposClick() {
  app_.ShowModal(*program_.AboutBox);
}

void TFondexMainForm::BBtnOptionsClick() {
  try {
    app_.ShowModal(*program_.OptBox);
  } catch (...) {
    ApplyTimerSettings();
    throw;
  }
  ApplyTimerSettings();
}

}  // namespace fondex
