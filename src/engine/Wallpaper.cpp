#include <algorithm>
#include <optional>

#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "util/Lists.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

namespace {

// "mer" -> "mer.bmp", "mer." -> "mer.bmp"; any other extension stays.
std::string WithBitmapExtension(std::string name) {
  const std::size_t separator = name.find_last_of("\\:");
  const std::size_t dot = name.find_last_of('.');
  const bool hasExtension =
      dot != std::string::npos && (separator == std::string::npos || dot > separator);
  if (!hasExtension) {
    name += ".bmp";
  } else if (dot == name.size() - 1) {
    name += "bmp";
  }
  return name;
}

// Puts back the program's phase and releases the profile accessor, also when reading fails,
// so that a failed reading cannot leave the program stuck in the reading phase.
class ReadingPhase {
 public:
  ReadingPhase(TProgramState& state, std::unique_ptr<toolkit::IniFile>& accessor)
      : state_(state), saved_(state), accessor_(accessor) {
    state_ = TProgramState::StateReadingWinIni;
  }
  ~ReadingPhase() {
    accessor_.reset();
    state_ = saved_;
  }
  ReadingPhase(const ReadingPhase&) = delete;
  ReadingPhase& operator=(const ReadingPhase&) = delete;

 private:
  TProgramState& state_;
  TProgramState saved_;
  std::unique_ptr<toolkit::IniFile>& accessor_;
};

constexpr std::size_t kWallpaperBuffer = 1024;

}  // namespace

void TFondexMainForm::ReadDesktopWallpaper() {
  ReadingPhase phase(program_.ProgramState, WinIniFile);
  WinIniFile = std::make_unique<toolkit::IniFile>(platform_.profiles, "WIN.INI");
  const std::string wallpaper =
      WinIniFile->ReadString("Desktop", "Wallpaper", "", kWallpaperBuffer);
  ApplyWallpaper(wallpaper);
}

void TFondexMainForm::ApplyWallpaper(const std::string& name, const ScreenPlan* plan) {
  platform::FileSystem& files = platform_.files;
  if (program_.ProgramState == TProgramState::StateReadingWinIni) {
    const auto full = files.GetFullPathName(name);
    NoWallpaper = name.empty() || !full || !util::EntryExists(files, *full, false);
    CurrentWallpaper = NoWallpaper ? "" : util::LowerAscii(name);
    if (!NoWallpaper) {
      History.Put(CurrentWallpaper);
    }
    ShowCurrentWallpaper();
    return;
  }
  const bool emptyName = name.empty();
  const std::string completed = WithBitmapExtension(util::LowerAscii(name));
  const bool hiddenFiles = program_.OptBox != nullptr && program_.OptBox->ChBCaches.Checked();
  bool missing = emptyName;
  if (!missing) {
    const auto full = files.GetFullPathName(completed);
    missing = !full || !util::EntryExists(files, *full, hiddenFiles);
  }
  NoWallpaper = missing;
  if (missing) {
    if (program_.ProgramState == TProgramState::StateReady && !emptyName) {
      util::ShowError(app_, "Le fichier " + completed + " est introuvable");
    }
    ClearDesktopWallpaper();
    CurrentWallpaper.clear();
    ShowCurrentWallpaper();
    return;
  }
  if (SetDesktopWallpaper(completed, plan)) {
    CurrentWallpaper = completed;
    History.Put(CurrentWallpaper);
    ShowCurrentWallpaper();
  }
}

bool TFondexMainForm::SetDesktopWallpaper(const std::string& name, const ScreenPlan* plan) {
  program_.ProgramState = TProgramState::StateOwnChange;
  // A chosen layout is the system's own setting, which the system reads as it sets the picture.
  // A profile that cannot take it cannot take the wallpaper's name either: that refusal is the
  // one reported.
  if (program_.OptBox != nullptr) {
    options::WriteLayoutToProfile(platform_.profiles, program_.OptBox->Disposition());
  }
  // A picture set by hand goes on the window's screen alone.
  std::optional<ScreenPlan> byHand;
  if (plan == nullptr) {
    if (const std::vector<std::string> screens = ScreensOfTheirOwn(); !screens.empty()) {
      byHand = ScreenPlan{WindowScreenAmong(screens), {}};
      plan = &*byHand;
    }
  }
  // The service refuses a name longer than its 259-character buffer; it is never cut.
  if (plan == nullptr ? platform_.desktop.SetDeskWallpaper(name)
                      : SetScreenWallpapers(name, *plan)) {
    return true;
  }
  program_.ProgramState = TProgramState::StateReady;
  util::ShowError(app_,
                  "Windows n'a pu charger " + name + ". Vérifiez la valdidité de ce papier peint");
  return false;
}

bool TFondexMainForm::SetScreenWallpapers(const std::string& name, const ScreenPlan& plan) {
  std::vector<platform::ScreenWallpaper> pictures = plan.others;
  pictures.push_back({plan.windowScreen, name});
  return platform_.desktop.SetScreenWallpapers(pictures, plan.windowScreen);
}

std::vector<std::string> TFondexMainForm::ScreensOfTheirOwn() {
  if (program_.OptBox == nullptr || !program_.OptBox->ChBParEcran.Checked() ||
      !platform_.desktop.SetsEachScreen()) {
    return {};
  }
  std::vector<std::string> screens = platform_.desktop.Screens();
  return screens.size() < 2 ? std::vector<std::string>{} : screens;
}

std::string TFondexMainForm::WindowScreenAmong(const std::vector<std::string>& screens) const {
  const std::string window = ScreenName();
  return std::ranges::find(screens, window) != screens.end() ? window : screens.front();
}

// During a change the change's own screen holds; the next change or move asks again.
void TFondexMainForm::FormScreenChange() {
  if (program_.ProgramState != TProgramState::StateReady) {
    return;
  }
  if (const std::vector<std::string> screens = ScreensOfTheirOwn(); !screens.empty()) {
    platform_.desktop.FollowScreen(WindowScreenAmong(screens));
  }
}

void TFondexMainForm::ClearDesktopWallpaper() {
  program_.ProgramState = TProgramState::StateOwnChange;
  platform_.desktop.SetDeskWallpaper("");
}

void TFondexMainForm::SelectInLists(const std::string& wallpaper) {
  // A directory the full list cannot take is not opened: the file list still shows another
  // directory, none of whose files is the wallpaper.
  const bool opened = OpenDirectory(NouveauRep(util::DirectoryPart(wallpaper)));
  FichListeBox.SetItemIndex(
      opened ? util::FindInList(FichListeBox, util::NameAfterLastBackslash(wallpaper), false) : -1);
}

void TFondexMainForm::ShowCurrentWallpaper() {
  if (!NoWallpaper) {
    TickCount = 0;
    CurrentWallpaperDir = util::DirectoryPart(CurrentWallpaper);
    EditChoisiBMP.SetText(CurrentWallpaper);
    SetCaption("Fondex2 : " + CurrentWallpaper);
    SelectInLists(CurrentWallpaper);
    return;
  }
  CurrentWallpaperDir.clear();
  EditChoisiBMP.SetText(CurrentWallpaper);
  SetCaption("Fondex2");
  const int first = util::MinOf(0, DirListeBox.Count() - 1);
  DirListeBox.SetItemIndex(first);
  if (first == -1) {
    FichListeBox.Clear();
  } else {
    // A first directory that has gone leaves the file list empty.
    FichListeBox.SetDirectory(DirListeBox.Item(0));
  }
}

}  // namespace fondex
