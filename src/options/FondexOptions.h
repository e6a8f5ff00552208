#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mainwindow/ProgramWide.h"
#include "options/WallpaperLayout.h"
#include "platform/Platform.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/IniFile.h"
#include "toolkit/ListBox.h"

namespace fondex {

// Where the automatic change looks; the names are also the words of the settings file.
enum class THasardLieu : std::uint8_t { RepActif = 0, RepHasard = 1, RepSucc = 2 };

// How it picks there.
enum class THasardTech : std::uint8_t { HasardGlobal = 0, HasardDsRep = 1, Successif = 2 };

// The options dialog. Its controls are the settings record: the checked state of a check box
// is the setting, EdDelai holds the delay and two fields hold the technique.
class TOptBox : public toolkit::Form {
 public:
  TOptBox(ProgramWide& program, toolkit::Application& app, const platform::Platform& platform);

  toolkit::Bevel Bevel1{"Bevel1", this};
  toolkit::Label Label1{"Label1", this};
  toolkit::GroupBox ChangeAutoGBox{"ChangeAutoGBox", this};
  toolkit::RadioButton HasardGlobalRB{"HasardGlobalRB", &ChangeAutoGBox};
  toolkit::RadioButton HasardRepHasardRB{"HasardRepHasardRB", &ChangeAutoGBox};
  toolkit::RadioButton HasardRepSuccRB{"HasardRepSuccRB", &ChangeAutoGBox};
  toolkit::RadioButton HasardRepSelRB{"HasardRepSelRB", &ChangeAutoGBox};
  toolkit::RadioButton SuccRepSelRB{"SuccRepSelRB", &ChangeAutoGBox};
  toolkit::RadioButton SuccRepHasardRB{"SuccRepHasardRB", &ChangeAutoGBox};
  toolkit::RadioButton SuccRepSuccRB{"SuccRepSuccRB", &ChangeAutoGBox};
  toolkit::BitButton CompteBBtn{"CompteBBtn", &ChangeAutoGBox};
  toolkit::CheckBox ChBLancement{"ChBLancement", this};
  toolkit::CheckBox ChBAuto{"ChBAuto", this};
  toolkit::EditBox EdDelai{"EdDelai", this};
  toolkit::SpinButton SpBDelai{"SpBDelai", this};
  toolkit::Label Label3{"Label3", this};
  toolkit::CheckBox ChBFinNone{"ChBFinNone", this};
  toolkit::Bevel Bevel2{"Bevel2", this};
  toolkit::Label Label2{"Label2", this};
  toolkit::CheckBox ChBCaches{"ChBCaches", this};
  toolkit::BitButton OKBtn{"OKBtn", this};
  toolkit::BitButton CancelBtn{"CancelBtn", this};
  toolkit::BitButton HelpBtn{"HelpBtn", this};
  toolkit::Bevel Bevel3{"Bevel3", this};
  toolkit::Label Label4{"Label4", this};
  toolkit::CheckBox ChBAutresFormats{"ChBAutresFormats", this};
  toolkit::Bevel Bevel4{"Bevel4", this};
  toolkit::Label Label5{"Label5", this};
  toolkit::CheckBox ChBIconeNotif{"ChBIconeNotif", this};
  toolkit::Bevel BevelDisposition{"BevelDisposition", this};
  toolkit::Label LabelDisposition{"LabelDisposition", this};
  // The wallpaper's layout: the selected line of this list is the setting.
  toolkit::ListBox DispositionListeBox;
  toolkit::Bevel BevelEcrans{"BevelEcrans", this};
  toolkit::Label LabelEcrans{"LabelEcrans", this};
  toolkit::CheckBox ChBParEcran{"ChBParEcran", this};

  // The settings record.
  void SetHasardLieu(THasardLieu lieu);
  void SetHasardTech(THasardTech tech);
  void SetDelai(std::int32_t minutes);
  std::int32_t GetDelai();
  THasardLieu HasardLieu() const { return OpHasardLieu; }
  THasardTech HasardTech() const { return OpHasardTech; }
  options::TDisposition Disposition() const;
  void SetDisposition(options::TDisposition layout);
  void LoadSettings();
  void SaveSettings();

  // The start-up step: load, change at start-up, arm the timer.
  void FormCreate();

  // The dialog's handlers.
  void FormShow();
  void OKBtnClick();
  void CancelBtnClick();
  void ChBAutoClick();
  void SpBDelaiUpClick();
  void SpBDelaiDownClick();
  void ChoixTechClick();
  void CompteBBtnClick();

 private:
  void ShowTechnique();
  // The main window, which the settings place and the recount works on.
  TFondexMainForm& MainForm() const;

  ProgramWide& program_;
  toolkit::Application& app_;
  platform::Platform platform_;

  // Private fields, in their documented order.
  std::unique_ptr<toolkit::IniFile> IniFile;
  std::string IniFileName;
  bool SavedLancement = false;
  bool SavedAuto = false;
  bool SavedCaches = false;
  bool SavedAutresFormats = false;
  bool AutresFormatsStored = false;  // the settings file has the key
  bool SavedIconeNotif = false;
  bool IconeNotifStored = false;  // the settings file has the key
  bool SavedFinNone = false;
  options::TDisposition SavedDisposition = options::TDisposition::CommeSysteme;
  bool DispositionStored = false;  // the settings file has the key
  bool SavedParEcran = false;
  bool ParEcranStored = false;  // the settings file has the key
  std::int32_t SavedDelai = 0;
  THasardLieu OpHasardLieu = THasardLieu::RepActif;
  THasardLieu SavedHasardLieu = THasardLieu::RepActif;
  THasardTech OpHasardTech = THasardTech::HasardGlobal;
  THasardTech SavedHasardTech = THasardTech::HasardGlobal;
};

}  // namespace fondex
