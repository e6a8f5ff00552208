#include <algorithm>
#include <iterator>

#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "util/Checked.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr const char* kNothingChosen = "Zut !";

// Marks a change as running for as long as it lasts.
class RunningChange {
 public:
  explicit RunningChange(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningChange() { flag_ = false; }
  RunningChange(const RunningChange&) = delete;
  RunningChange& operator=(const RunningChange&) = delete;

 private:
  bool& flag_;
};

// One change of wallpaper: its working values and the directory steps that share them.
class WallpaperChange {
 public:
  WallpaperChange(TFondexMainForm& form, bool quiet) : Quiet(quiet), form_(form) {}

  void Run(THasardLieu lieu, THasardTech tech) {
    switch (tech) {
      case THasardTech::HasardGlobal:
        Global();
        break;
      case THasardTech::HasardDsRep:
        DirectoryStep(lieu);
        if (!noUsableDirectory_ && Files().Count() > 0) {
          Choice = FullPath(static_cast<int>(DrawOver(Files().Count())));
        }
        break;
      case THasardTech::Successif:
        if (lieu == THasardLieu::RepActif) {
          SuccessiveInSelected();
        } else {
          SuccessiveWithStep(lieu);
        }
        break;
    }
  }

  std::string Choice = kNothingChosen;
  bool Quiet;
  std::int64_t Draw = 0;

 private:
  toolkit::ListBox& Dirs() { return form_.DirListeBox; }
  toolkit::FileListBox& Files() { return form_.FichListeBox; }
  std::uint32_t DrawOver(std::int32_t n) {
    return form_.Random.Draw(static_cast<std::uint32_t>(n));
  }

  // A listed file's name expanded against the current directory, the file list's own.
  std::string FullPath(int index) {
    const std::string& name = Files().Item(index);
    return form_.System().files.GetFullPathName(name).value_or(name);
  }

  // With no usable directory left, the file list may still show one that has gone: nothing is
  // chosen from it.
  void NoUsableDirectory() {
    noUsableDirectory_ = true;
    if (!Quiet) {
      util::ShowWarning(form_.App(), "Pas de répertoire utilisable !");
    }
    Quiet = true;
  }

  void Global() {
    for (;;) {
      if (Dirs().Count() == 0) {
        NoUsableDirectory();
        return;
      }
      form_.TotalCount = 0;
      for (int i = 0; i < Dirs().Count(); ++i) {
        form_.TotalCount =
            util::CheckedAdd(form_.TotalCount, util::MaxOf(form_.DirCounts.Get(i), 1));
      }
      Draw = DrawOver(form_.TotalCount);
      // Plain counts for the walk: a directory counted 0 is never reached by it.
      int chosen = Dirs().Count() - 1;
      std::int64_t running = 0;
      for (int i = 0; i < Dirs().Count(); ++i) {
        running += form_.DirCounts.Get(i);
        if (running > Draw) {
          chosen = i;
          break;
        }
      }
      std::int64_t before = 0;
      for (int i = 0; i < chosen; ++i) {
        before += form_.DirCounts.Get(i);
      }
      if (!form_.OpenDirectory(chosen)) {
        continue;
      }
      if (Files().Count() == 0) {
        return;
      }
      Draw -= before;
      Choice = FullPath(static_cast<int>(std::min<std::int64_t>(Files().Count() - 1, Draw)));
      return;
    }
  }

  void SuccessiveInSelected() {
    const int count = Files().Count();
    if (count == 0) {
      return;
    }
    const int selected = Files().ItemIndex();
    Choice = FullPath(selected == count - 1 ? 0 : selected + 1);
  }

  void SuccessiveWithStep(THasardLieu lieu) {
    const int selected = Files().ItemIndex();
    if (selected != -1 && selected != Files().Count() - 1) {
      Choice = FullPath(selected + 1);
      return;
    }
    DirectoryStep(lieu);
    if (!noUsableDirectory_ && Files().Count() > 0) {
      Choice = FullPath(0);
    }
  }

  void DirectoryStep(THasardLieu lieu) {
    switch (lieu) {
      case THasardLieu::RepActif:
        SelectedDir();
        break;
      case THasardLieu::RepHasard:
        RandomDir();
        break;
      case THasardLieu::RepSucc:
        NextDir();
        break;
    }
  }

  void FirstUsableDir() {
    while (Dirs().Count() > 0) {
      if (form_.OpenDirectory(0)) {
        return;
      }
    }
    NoUsableDirectory();
  }

  void RandomDir() {
    while (Dirs().Count() > 0) {
      Draw = DrawOver(Dirs().Count());
      if (form_.OpenDirectory(static_cast<int>(Draw))) {
        return;
      }
    }
    NoUsableDirectory();
  }

  void SelectedDir() {
    if (Dirs().ItemIndex() == -1) {
      FirstUsableDir();
    }
  }

  void NextDir() {
    for (;;) {
      if (Dirs().ItemIndex() == -1) {
        FirstUsableDir();
        return;
      }
      if (Dirs().ItemIndex() == Dirs().Count() - 1) {
        Dirs().SetItemIndex(-1);
      }
      Draw = Dirs().ItemIndex() + 1;
      if (form_.OpenDirectory(static_cast<int>(Draw))) {
        return;
      }
    }
  }

  TFondexMainForm& form_;
  bool noUsableDirectory_ = false;
};

// A random draw that lands on a picture another screen takes is drawn again, this many times at
// most: directories with too few pictures end with a repeat.
constexpr int kRedraws = 16;

}  // namespace

// The change runs once per screen, the window's screen last so that the window shows its
// picture; a successive technique goes on from the picture the screen before it got.
void TFondexMainForm::ChangeEachScreen(const std::vector<std::string>& screens, bool quiet) {
  const TOptBox& options = *program_.OptBox;
  const bool random = options.HasardTech() != THasardTech::Successif;
  ScreenPlan plan{WindowScreenAmong(screens), {}};
  std::vector<std::string> order;
  std::ranges::copy_if(screens, std::back_inserter(order),
                       [&](const std::string& screen) { return screen != plan.windowScreen; });
  order.push_back(plan.windowScreen);
  std::vector<std::string> taken;
  for (const std::string& screen : order) {
    std::string choice;
    for (int draw = 0;; ++draw) {
      WallpaperChange change(*this, quiet);
      change.Run(options.HasardLieu(), options.HasardTech());
      quiet = change.Quiet;
      choice = std::move(change.Choice);
      if (choice == kNothingChosen || !random || draw == kRedraws ||
          std::ranges::find(taken, util::LowerAscii(choice)) == taken.end()) {
        break;
      }
    }
    if (choice == kNothingChosen) {
      if (!quiet) {
        util::ShowInfo(app_, "Pas de papier peint disponible dans le répertoire !");
      }
      return;
    }
    if (screen == plan.windowScreen) {
      ApplyWallpaper(choice, &plan);
      return;
    }
    taken.push_back(util::LowerAscii(choice));
    plan.others.push_back({screen, taken.back()});
    SelectInLists(taken.back());
  }
}

void TFondexMainForm::BBtnHasardClick(const toolkit::Control* sender) {
  if (changeRunning_) {
    return;
  }
  RunningChange running(changeRunning_);
  const TOptBox& options = *program_.OptBox;
  const platform::SystemTime now = platform_.clock.NowUtc();
  Random.SetSeed(static_cast<std::uint32_t>(
      ((now.hour * 60 + now.minute) * 60 + now.second) * 1000 + now.milliseconds));
  if (const std::vector<std::string> screens = ScreensOfTheirOwn(); !screens.empty()) {
    ChangeEachScreen(screens, sender != &BBtnHasard);
    return;
  }
  WallpaperChange change(*this, sender != &BBtnHasard);
  change.Run(options.HasardLieu(), options.HasardTech());
  if (change.Choice == kNothingChosen) {
    if (!change.Quiet) {
      util::ShowInfo(app_, "Pas de papier peint disponible dans le répertoire !");
    }
    return;
  }
  ApplyWallpaper(change.Choice);
}

}  // namespace fondex
