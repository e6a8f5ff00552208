// The settings record of the options dialog: its accessors, the settings file and the
// start-up step.
#include <array>
#include <optional>

#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"
#include "options/SettingsText.h"
#include "toolkit/Error.h"
#include "util/Messages.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr std::int32_t kLongestDelai = 360;
const char* const kOptions = "Options";
const char* const kPlacement = "Placement";
// The settings file keeps the Windows code page: this key's accented letter is the byte 0xE9.
const char* const kDelaiKey = "D\xE9lai";
const char* const kAutresFormatsKey = "AutresFormats";
const char* const kIconeNotificationKey = "IconeNotification";
const char* const kDispositionKey = "Disposition";
const char* const kParEcranKey = "ParEcran";
// No stored value can hold a line break: the default a missing key reads as.
const char* const kAbsent = "\n";

// Indexed by the enumerations' ordinals; the same words are read and written.
constexpr std::array<const char*, 3> kLieuNames{"RepActif", "RepHasard", "RepSucc"};
constexpr std::array<const char*, 3> kTechNames{"HasardGlobal", "HasardDsRep", "Successif"};

template <typename Enum>
std::optional<Enum> Named(const std::array<const char*, 3>& names, const std::string& lowered) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (util::LowerAscii(names[i]) == lowered) {
      return static_cast<Enum>(i);
    }
  }
  return std::nullopt;
}

template <typename Enum>
const char* NameOf(const std::array<const char*, 3>& names, Enum value) {
  return names.at(static_cast<std::size_t>(value));
}

// A negative delay becomes 1 minute, not 0, which would mean a change every 2 seconds.
std::int32_t ClampDelai(std::int32_t minutes) {
  if (minutes < 0) {
    return 1;
  }
  return minutes > kLongestDelai ? kLongestDelai : minutes;
}

// Opens the settings file for one pass and releases it at the end, however the pass ends.
class IniPass {
 public:
  IniPass(std::unique_ptr<toolkit::IniFile>& slot, platform::ProfileFiles& profiles,
          const std::string& fileName)
      : slot_(slot) {
    slot_ = std::make_unique<toolkit::IniFile>(profiles, fileName);
  }
  ~IniPass() { slot_.reset(); }
  IniPass(const IniPass&) = delete;
  IniPass& operator=(const IniPass&) = delete;

  const toolkit::IniFile& File() const { return *slot_; }

 private:
  std::unique_ptr<toolkit::IniFile>& slot_;
};

std::string ReadLowered(const toolkit::IniFile& ini, const char* section, const char* key,
                        const char* defaultValue) {
  return util::LowerAscii(ini.ReadString(section, key, defaultValue));
}

void ReadBoolean(const toolkit::IniFile& ini, const char* key, toolkit::CheckBox& box) {
  box.SetChecked(options::ReadsAsTrue(ReadLowered(ini, kOptions, key, "Non")));
}

// An option added to the designed settings: whether the file has its key.
bool ReadAddedOption(const toolkit::IniFile& ini, const char* key, toolkit::CheckBox& box) {
  const std::string value = ReadLowered(ini, kOptions, key, kAbsent);
  box.SetChecked(options::ReadsAsTrue(value));
  return value != kAbsent;
}

// A file that never had the key keeps its bytes while the option stays off.
void WriteAddedOption(const toolkit::IniFile& ini, const char* key, const toolkit::CheckBox& box,
                      bool& stored) {
  if (box.Checked() || stored) {
    ini.WriteString(kOptions, key, options::YesNoWord(box.Checked()));
    stored = true;
  }
}

// A stored edge, never past the limit; an empty value means the limit itself.
int StoredEdge(const toolkit::IniFile& ini, const char* key, int limit) {
  const std::string value = ReadLowered(ini, kPlacement, key, "");
  if (value.empty()) {
    return limit;
  }
  return util::MinOf(limit, options::StrictIntegerValue(value));
}

}  // namespace

TFondexMainForm& TOptBox::MainForm() const {
  if (program_.FondexMainForm == nullptr) {
    throw Error("Pépin : fenêtre principale absente");
  }
  return *program_.FondexMainForm;
}

void TOptBox::SetHasardLieu(THasardLieu lieu) {
  OpHasardLieu = lieu;
  ShowTechnique();
}

void TOptBox::SetHasardTech(THasardTech tech) {
  OpHasardTech = tech;
  ShowTechnique();
}

options::TDisposition TOptBox::Disposition() const {
  const int line = DispositionListeBox.ItemIndex();
  return line < 0 ? options::TDisposition::CommeSysteme
                  : options::kLayouts.at(static_cast<std::size_t>(line)).layout;
}

void TOptBox::SetDisposition(options::TDisposition layout) {
  DispositionListeBox.SetItemIndex(static_cast<int>(layout));
}

void TOptBox::SetDelai(std::int32_t minutes) {
  EdDelai.SetText(options::DelaiText(ClampDelai(minutes)));
}

std::int32_t TOptBox::GetDelai() {
  const std::int32_t minutes = options::NumberValue(EdDelai.Text());
  if (minutes < 0 || minutes > kLongestDelai) {
    util::ShowWarning(app_, "Valeur aberrante dans EdDelai !");
  }
  return ClampDelai(minutes);
}

void TOptBox::LoadSettings() {
  TFondexMainForm& main = MainForm();
  IniFileName = util::DirectoryPart(platform_.files.ExecutablePath()) + "FONDEX.INI";
  const IniPass pass(IniFile, platform_.profiles, IniFileName);
  const toolkit::IniFile& ini = pass.File();

  if (const auto lieu =
          Named<THasardLieu>(kLieuNames, ReadLowered(ini, kOptions, "HasardLieu", "RepActif"))) {
    SetHasardLieu(*lieu);
  }
  if (const auto tech =
          Named<THasardTech>(kTechNames, ReadLowered(ini, kOptions, "HasardTech", "HasardDsRep"))) {
    SetHasardTech(*tech);
  }
  ReadBoolean(ini, "AuLancement", ChBLancement);
  ReadBoolean(ini, "Auto", ChBAuto);
  SetDelai(options::NumberValue(ReadLowered(ini, kOptions, kDelaiKey, "60")));
  ReadBoolean(ini, "FinNone", ChBFinNone);
  ReadBoolean(ini, "FichiersCaches", ChBCaches);
  AutresFormatsStored = ReadAddedOption(ini, kAutresFormatsKey, ChBAutresFormats);
  IconeNotifStored = ReadAddedOption(ini, kIconeNotificationKey, ChBIconeNotif);
  const std::string layout = ini.ReadString(kOptions, kDispositionKey, kAbsent);
  DispositionStored = layout != kAbsent;
  SetDisposition(options::LayoutNamed(layout).value_or(options::TDisposition::CommeSysteme));
  ParEcranStored = ReadAddedOption(ini, kParEcranKey, ChBParEcran);

  // The main window's outer edges may not pass the screen's bottom-right corner, one pixel in;
  // nothing stops them beyond the top or left edge.
  main.SetTop(StoredEdge(ini, "Top", platform_.screen.Height() - main.Height() - 1));
  main.SetLeft(StoredEdge(ini, "Left", platform_.screen.Width() - main.Width() - 1));
}

void TOptBox::SaveSettings() {
  const TFondexMainForm& main = MainForm();
  const IniPass pass(IniFile, platform_.profiles, IniFileName);
  const toolkit::IniFile& ini = pass.File();
  ini.WriteString(kOptions, "HasardLieu", NameOf(kLieuNames, OpHasardLieu));
  ini.WriteString(kOptions, "HasardTech", NameOf(kTechNames, OpHasardTech));
  ini.WriteString(kOptions, "AuLancement", options::YesNoWord(ChBLancement.Checked()));
  ini.WriteString(kOptions, "Auto", options::YesNoWord(ChBAuto.Checked()));
  ini.WriteString(kOptions, kDelaiKey, options::DelaiText(GetDelai()));
  ini.WriteString(kOptions, "FinNone", options::YesNoWord(ChBFinNone.Checked()));
  ini.WriteString(kOptions, "FichiersCaches", options::YesNoWord(ChBCaches.Checked()));
  WriteAddedOption(ini, kAutresFormatsKey, ChBAutresFormats, AutresFormatsStored);
  WriteAddedOption(ini, kIconeNotificationKey, ChBIconeNotif, IconeNotifStored);
  if (Disposition() != options::TDisposition::CommeSysteme || DispositionStored) {
    ini.WriteString(kOptions, kDispositionKey, options::RowOf(Disposition()).word);
    DispositionStored = true;
  }
  WriteAddedOption(ini, kParEcranKey, ChBParEcran, ParEcranStored);
  ini.WriteString(kPlacement, "Top", std::to_string(main.Top()));
  ini.WriteString(kPlacement, "Left", std::to_string(main.Left()));
}

void TOptBox::FormCreate() {
  LoadSettings();
  // Only a main window whose creation completed can change the wallpaper or run its timer;
  // after a failed creation the ready state never comes, so the step ends here.
  if (program_.ProgramState != TProgramState::StateReady) {
    return;
  }
  TFondexMainForm& main = MainForm();
  if (ChBLancement.Checked()) {
    main.BBtnHasardClick(this);
  }
  main.ApplyTimerSettings();
}

}  // namespace fondex
