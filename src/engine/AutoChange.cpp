#include "about/FondexAboutBox.h"
#include "mainwindow/Fondexmf.h"
#include "mainwindow/PictureMasks.h"
#include "options/FondexOptions.h"
#include "util/Checked.h"

namespace fondex {

namespace {

constexpr int kMinuteInterval = 60000;
constexpr int kRapidInterval = 2000;
constexpr std::uint32_t kHiddenTypes = toolkit::kFtHidden | toolkit::kFtSystem;

}  // namespace

void TFondexMainForm::ApplyTimerSettings() {
  TOptBox& options = *program_.OptBox;
  if (options.ChBAuto.Checked()) {
    ChangeTimer.SetEnabled(true);
    GeleChBox.SetEnabled(true);
    GeleChBox.SetChecked(false);
    ChangeTimer.SetInterval(options.GetDelai() > 0 ? kMinuteInterval : kRapidInterval);
  } else {
    ChangeTimer.SetEnabled(false);
    GeleChBox.SetChecked(false);
    GeleChBox.SetEnabled(false);
  }
  const std::uint32_t types = FichListeBox.FileTypes();
  FichListeBox.SetFileTypes(options.ChBCaches.Checked() ? (types | kHiddenTypes)
                                                        : (types & ~kHiddenTypes));
  const bool otherFormats = options.ChBAutresFormats.Checked();
  platform_.desktop.AcceptOtherFormats(otherFormats);
  SelectBMPDialog.filter = otherFormats ? kPictureFilter : kBitmapFilter;
  FichListeBox.SetMask(otherFormats ? kPictureMask : kBitmapMask);
  ApplyNotifyIconSetting();
}

void TFondexMainForm::ChangeTimerTimer() {
  const TOptBox& options = *program_.OptBox;
  if (options.Visible() || program_.AboutBox->Visible() || GeleChBox.Checked()) {
    return;
  }
  bool due = true;
  if (ChangeTimer.Interval() == kMinuteInterval) {
    TickCount = util::CheckedAdd(TickCount, 1);
    const std::int32_t delay = program_.OptBox->GetDelai();
    due = delay < TickCount || (delay > 0 && TickCount % delay == 0);
  }
  // While a box of the program is open, or a change waits in one, no change starts; a counted
  // minute brings the change at the first tick after.
  if (due && !app_.BoxOpen() && !changeRunning_) {
    BBtnHasardClick(this);
  }
}

}  // namespace fondex
