#include "mainwindow/CommandLine.h"
#include "mainwindow/Fondexmf.h"

namespace fondex {

void TFondexMainForm::RunLaunchCommand(const LaunchCommand& command) {
  if (command.action == LaunchAction::kShow || app_.ModalOpen()) {
    app_.Restore();
    BringToFront(command.activationToken);
    return;
  }
  switch (command.action) {
    case LaunchAction::kNext:
      FormKeyDown('H', {});  // the change button's key in the main window
      break;
    case LaunchAction::kPrevious:
      PreviousWallpaperClick();
      break;
    case LaunchAction::kPlain:
      BBtnNoWalpClick();
      break;
    case LaunchAction::kSet: {
      EditChoisiBMP.SetText(command.file);
      char enter = toolkit::vk::kReturn;
      EditChoisiBMPKeyPress(enter);
      break;
    }
    case LaunchAction::kShow:
      break;
  }
}

}  // namespace fondex
