#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"

namespace fondex {

namespace {

std::size_t Line(TFondexMainForm::NotifCommand command) {
  return static_cast<std::size_t>(command);
}

}  // namespace

void TFondexMainForm::SetUpNotifyIcon() {
  IconeNotif.SetMenu({{"Changer de papier peint"},
                      {"Papier peint précédent"},
                      {"Pas de papier peint"},
                      {.caption = "Geler le choix automatique", .checkable = true},
                      {},
                      {"Afficher Fondex"},
                      {"Options…"},
                      {"Quitter Fondex"}});
  const auto followFreeze = [this] {
    IconeNotif.SetItemState(Line(NotifCommand::kFreeze), GeleChBox.Checked(), GeleChBox.Enabled());
  };
  followFreeze();
  GeleChBox.Changed.Connect(followFreeze);
  // The tooltip is the caption, which ShowCurrentWallpaper keeps.
  Changed.Connect([this] { IconeNotif.SetTip(Caption()); });
  IconeNotif.OnClick = [this] { IconeNotifClick(); };
  IconeNotif.OnMenuClick = [this](std::size_t index) { IconeNotifMenuClick(index); };
  // Minimized by Escape or by the window system: into the icon when there is one to see.
  app_.MinimizedChanged.Connect([this] {
    if (app_.Minimized() && IconeNotif.InArea()) {
      HideIntoNotifyIcon();
    }
  });
}

void TFondexMainForm::ApplyNotifyIconSetting() {
  IconeNotif.SetShown(program_.OptBox->ChBIconeNotif.Checked());
  // Nothing may stay hidden behind an icon that has gone.
  if (!IconeNotif.Shown() && hiddenInIcon_) {
    ShowFromNotifyIcon();
  }
}

void TFondexMainForm::HideIntoNotifyIcon() {
  app_.Restore();
  Hide();
  hiddenInIcon_ = true;
}

void TFondexMainForm::ShowFromNotifyIcon() {
  hiddenInIcon_ = false;
  app_.Restore();
  BringToFront();
}

void TFondexMainForm::IconeNotifClick() {
  if (Visible() && !app_.Minimized() && !app_.ModalOpen() && IconeNotif.InArea()) {
    HideIntoNotifyIcon();
  } else {
    ShowFromNotifyIcon();
  }
}

void TFondexMainForm::IconeNotifMenuClick(std::size_t index) {
  // A box or dialog of the program would take the command: it only comes forward.
  if (app_.ModalOpen()) {
    ShowFromNotifyIcon();
    return;
  }
  switch (static_cast<NotifCommand>(index)) {
    case NotifCommand::kChange:
      FormKeyDown('H', {});  // the change button's key in the main window
      break;
    case NotifCommand::kPrevious:
      PreviousWallpaperClick();
      break;
    case NotifCommand::kPlain:
      BBtnNoWalpClick();
      break;
    case NotifCommand::kFreeze:
      if (GeleChBox.Enabled()) {
        GeleChBox.Toggle();
      }
      break;
    case NotifCommand::kShow:
      ShowFromNotifyIcon();
      break;
    case NotifCommand::kOptions:
      BBtnOptionsClick();
      break;
    case NotifCommand::kQuit:
      Close();
      break;
    case NotifCommand::kSeparator:
      break;
  }
}

}  // namespace fondex
