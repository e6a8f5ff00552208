#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/DirCounts.h"
#include "engine/RandomGenerator.h"
#include "engine/WallpaperHistory.h"
#include "mainwindow/ProgramWide.h"
#include "platform/Platform.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Form.h"
#include "toolkit/IniFile.h"
#include "toolkit/ListBox.h"
#include "toolkit/NotifyIcon.h"
#include "toolkit/Timer.h"

namespace fondex {

struct LaunchCommand;

// The main window: its controls, the program's run-time state and every routine that works on
// them. Its routines are defined in the folders that own their behaviour (engine/, ...).
class TFondexMainForm : public toolkit::Form, private platform::ProfileChangeListener {
 public:
  TFondexMainForm(ProgramWide& program, toolkit::Application& app,
                  const platform::Platform& platform);
  ~TFondexMainForm() override;

  // Controls, in the order of the window's description.
  toolkit::Label Label1{"Label1", this};
  toolkit::Label Label2{"Label2", this};
  toolkit::FileListBox FichListeBox;
  toolkit::ListBox DirListeBox;
  toolkit::Label LblPPeintActuel{"LblPPeintActuel", this};
  toolkit::EditBox EditChoisiBMP{"EditChoisiBMP", this};
  toolkit::BitButton BBtnSelectRep{"BBtnSelectRep", this};
  toolkit::BitButton BBtnSelectBMP{"BBtnSelectBMP", this};
  toolkit::BitButton BBtnNoWalp{"BBtnNoWalp", this};
  toolkit::BitButton BBtnHasard{"BBtnHasard", this};
  toolkit::BitButton BBtnOptions{"BBtnOptions", this};
  toolkit::BitButton BBtnApropos{"BBtnApropos", this};
  toolkit::CheckBox GeleChBox{"GeleChBox", this};
  toolkit::Timer ChangeTimer;
  toolkit::OpenDialogRequest SelectRepDialog;
  toolkit::OpenDialogRequest SelectBMPDialog;
  // Shown while the option "Zone de notification" is on.
  toolkit::NotifyIcon IconeNotif;

  // Creation, closing, destruction, drops and profile changes.
  void FormCreate();
  void FormCloseQuery(bool& canClose);
  // The window shows on a screen, first or another: with a picture on each screen, the
  // wallpaper the window names is that screen's.
  void FormScreenChange();
  void FormDestroy();
  void AppMessage(toolkit::Message& message, bool& handled);
  void WMDropFiles(toolkit::Message& message);
  void WinIniChanged();
  void ProcessDroppedFiles(platform::DropHandle drop);

  // The desktop wallpaper.
  void ReadDesktopWallpaper();
  // With one wallpaper per screen, a change's pictures for the screens other than the window's.
  struct ScreenPlan {
    std::string windowScreen;
    std::vector<platform::ScreenWallpaper> others;
  };
  // The picture goes on the window's screen; `plan`, when given, says what the others get.
  void ApplyWallpaper(const std::string& name, const ScreenPlan* plan = nullptr);
  bool SetDesktopWallpaper(const std::string& name, const ScreenPlan* plan = nullptr);
  void ClearDesktopWallpaper();
  void ShowCurrentWallpaper();
  // "Papier peint précédent": puts back, as a typed name would, the wallpaper before the
  // current one; with none, nothing happens.
  void PreviousWallpaperClick();

  // Search directories and their counts.
  int NouveauRep(const std::string& path);
  int AddDirectoryOfFile(const std::string& path);
  bool OpenDirectory(int index);
  void RemoveDirectoryEntry(int index);

  // The directory list file.
  void LoadDirList();
  void SaveDirList();

  // Choosing the next wallpaper; quiet unless the sender is BBtnHasard.
  void BBtnHasardClick(const toolkit::Control* sender);
  // The screens that each get a picture of their own: none unless the option is on and the
  // desktop names two or more.
  std::vector<std::string> ScreensOfTheirOwn();
  // The screen under the main window, or the first when the desktop does not name it.
  std::string WindowScreenAmong(const std::vector<std::string>& screens) const;

  // Automatic change.
  void ApplyTimerSettings();
  void ChangeTimerTimer();

  // Commands.
  void BBtnSelectBMPClick();
  void BBtnSelectRepClick();
  void EditChoisiBMPKeyPress(char& key);
  void DirListeBoxClick();
  void FichListeBoxDblClick();
  void DirListeBoxKeyUp(int key, toolkit::ShiftState shift);
  void FichListeBoxKeyUp(int key, toolkit::ShiftState shift);
  void FormKeyDown(int key, toolkit::ShiftState shift);
  void BBtnNoWalpClick();
  void BBtnAproposClick();
  void BBtnOptionsClick();
  void DeleteSelectedFile();

  // A command of the program's command line, given at its start or by a later start. The main
  // window runs it as the user's key or typed name would; while a modal window is open, which
  // would take that key, it only comes to the front.
  void RunLaunchCommand(const LaunchCommand& command);

  // The notification-area icon: a click shows or hides the window, its menu's lines run the
  // window's commands; with the icon in an area, minimizing hides the window into it.
  enum class NotifCommand : std::size_t {
    kChange,
    kPrevious,
    kPlain,
    kFreeze,
    kSeparator,
    kShow,
    kOptions,
    kQuit
  };
  void ApplyNotifyIconSetting();
  void IconeNotifClick();
  void IconeNotifMenuClick(std::size_t index);

  // Private state, in its documented order.
  std::unique_ptr<toolkit::IniFile> WinIniFile;
  std::string CurrentWallpaperDir;
  std::string CurrentWallpaper;
  bool NoWallpaper = false;
  std::string AppDir;
  std::string DirFileName;
  std::int32_t TickCount = 0;
  DirCountTable DirCounts;
  std::int32_t TotalCount = 0;

  // The program's random generator, seeded at the start of every change.
  RandomGenerator Random;
  // The wallpapers put on the desktop in this run, for "Papier peint précédent".
  WallpaperHistory History;

  ProgramWide& Program() { return program_; }
  toolkit::Application& App() { return app_; }
  const platform::Platform& System() { return platform_; }

 private:
  void ProfileChanged() override;
  void SetUpControls();
  void BindHandlers();
  void SetUpNotifyIcon();
  void SelectInLists(const std::string& wallpaper);
  bool SetScreenWallpapers(const std::string& name, const ScreenPlan& plan);
  void ChangeEachScreen(const std::vector<std::string>& screens, bool quiet);
  void HideIntoNotifyIcon();
  void ShowFromNotifyIcon();

  ProgramWide& program_;
  toolkit::Application& app_;
  platform::Platform platform_;
  bool changeRunning_ = false;
  bool hiddenInIcon_ = false;
  // The directory list file holds directories the list could not take in (it could not be read,
  // or held more than the list's room): it is never replaced by the shorter list.
  bool dirFileKept_ = false;
};

}  // namespace fondex
