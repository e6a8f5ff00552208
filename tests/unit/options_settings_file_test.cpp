#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "options_fixture.h"
#include "toolkit/Error.h"
#include "util/Paths.h"

namespace fondex::test {
namespace {

using Names = std::vector<std::string>;

const std::string kDelaiKey = "D\xE9lai";

TEST(OptionsSettingsFile, WithoutAFileTheDefaultsApplyAndNothingIsCreated) {
  OptionsProgram p;
  p.Start();
  const TOptBox& options = *p.options;
  EXPECT_EQ(options.HasardLieu(), THasardLieu::RepActif);
  EXPECT_EQ(options.HasardTech(), THasardTech::HasardDsRep);
  EXPECT_EQ(p.CheckedTechniques(), Names{"HasardRepSelRB"});
  EXPECT_FALSE(options.ChBLancement.Checked());
  EXPECT_FALSE(options.ChBAuto.Checked());
  EXPECT_FALSE(options.ChBFinNone.Checked());
  EXPECT_FALSE(options.ChBCaches.Checked());
  EXPECT_EQ(options.EdDelai.Text(), " 60");
  // Bottom-right corner, one pixel in from the screen's edges.
  EXPECT_EQ(p.main->Top() + p.main->Height(), p.fake.screen.Height() - 1);
  EXPECT_EQ(p.main->Left() + p.main->Width(), p.fake.screen.Width() - 1);
  EXPECT_FALSE(p.main->ChangeTimer.Enabled());
  EXPECT_TRUE(p.fake.desktop.Requests().empty());
  EXPECT_TRUE(p.Boxes().empty());
  EXPECT_FALSE(p.fake.profiles.Exists(kIniFile));
}

TEST(OptionsSettingsFile, TheFileSitsBesideTheExecutable) {
  OptionsProgram p;
  p.fake.files.SetExecutablePath("D:\\Outils\\Fondex\\FONDEX.EXE");
  p.fake.profiles.SetFile("D:\\Outils\\Fondex\\FONDEX.INI", "[Options]\r\nAuto=Oui\r\n");
  p.Start();
  EXPECT_TRUE(p.options->ChBAuto.Checked());

  OptionsProgram q;
  q.fake.files.SetExecutablePath("E:FONDEX.EXE");
  q.Start();
  q.options->SaveSettings();
  EXPECT_TRUE(q.fake.profiles.Exists("E:FONDEX.INI"));
}

TEST(OptionsSettingsFile, StoredDelaysAreBroughtIntoRangeWithoutAWarning) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"0", "  0"},
      {"-7", "  1"},
      {"1000", "360"},
      {"", "  0"},
      {"abc", "  0"},
      {"45min", " 45"},
      {"$1E", " 30"},
      {"+12", " 12"},
      {"360", "360"},
      {"-45min", " 45"},
      {"99999999999999999999", "360"},
      {"-99999999999999999999", "  1"},
      {"4294967356", "360"},
  };
  for (const auto& [stored, shown] : cases) {
    SCOPED_TRACE(stored);
    OptionsProgram p;
    p.SetIni({"[Options]", kDelaiKey + "=" + stored});
    p.Start();
    EXPECT_EQ(p.options->EdDelai.Text(), shown);
    EXPECT_TRUE(p.Boxes().empty());
  }
}

TEST(OptionsSettingsFile, BooleanWordsAreReadIgnoringCase) {
  for (const std::string yes : {"TRUE", "Yes", "1", "oui", "OUI"}) {
    SCOPED_TRACE(yes);
    OptionsProgram p;
    p.SetIni({"[Options]", "Auto=" + yes, "FinNone=" + yes, "FichiersCaches=" + yes});
    p.Start();
    EXPECT_TRUE(p.options->ChBAuto.Checked());
    EXPECT_TRUE(p.options->ChBFinNone.Checked());
    EXPECT_TRUE(p.options->ChBCaches.Checked());
    EXPECT_TRUE(p.options->EdDelai.Enabled());
  }
  for (const std::string no : {"vrai", "0", "Non", "", "y"}) {
    SCOPED_TRACE(no);
    OptionsProgram p;
    p.SetIni({"[Options]", "Auto=" + no, "FinNone=" + no, "FichiersCaches=" + no});
    p.Start();
    EXPECT_FALSE(p.options->ChBAuto.Checked());
    EXPECT_FALSE(p.options->ChBFinNone.Checked());
    EXPECT_FALSE(p.options->ChBCaches.Checked());
  }
}

TEST(OptionsSettingsFile, TechniqueWordsAndUnrecognisedValues) {
  OptionsProgram upper;
  upper.SetIni({"[Options]", "HasardLieu=REPSUCC", "HasardTech=SUCCESSIF"});
  upper.Start();
  EXPECT_EQ(upper.options->HasardLieu(), THasardLieu::RepSucc);
  EXPECT_EQ(upper.CheckedTechniques(), Names{"SuccRepSuccRB"});

  // An unknown technique keeps the value before loading; a missing one takes the default.
  OptionsProgram unknownTech;
  unknownTech.SetIni({"[Options]", "HasardLieu=RepHasard", "HasardTech=Global"});
  unknownTech.Start();
  EXPECT_EQ(unknownTech.options->HasardTech(), THasardTech::HasardGlobal);
  EXPECT_EQ(unknownTech.options->HasardLieu(), THasardLieu::RepHasard);
  EXPECT_EQ(unknownTech.CheckedTechniques(), Names{"HasardGlobalRB"});

  OptionsProgram missingTech;
  missingTech.SetIni({"[Options]", "HasardLieu=RepHasard"});
  missingTech.Start();
  EXPECT_EQ(missingTech.options->HasardTech(), THasardTech::HasardDsRep);
  EXPECT_EQ(missingTech.CheckedTechniques(), Names{"HasardRepHasardRB"});

  OptionsProgram neither;
  neither.SetIni({"[Options]", "HasardLieu=Ailleurs", "HasardTech=Global"});
  neither.Start();
  EXPECT_EQ(neither.options->HasardLieu(), THasardLieu::RepActif);
  EXPECT_EQ(neither.options->HasardTech(), THasardTech::HasardGlobal);
  EXPECT_TRUE(neither.CheckedTechniques().empty());
}

TEST(OptionsSettingsFile, StoredPlacementNeverPassesTheBottomRightCorner) {
  OptionsProgram big;
  big.SetIni({"[Placement]", "Top=5000", "Left=100"});
  big.Start();
  EXPECT_EQ(big.main->Top() + big.main->Height(), big.fake.screen.Height() - 1);
  EXPECT_EQ(big.main->Left(), 100);

  OptionsProgram negative;
  negative.SetIni({"[Placement]", "Top=-50", "Left=$7FFFFFFF"});
  negative.Start();
  EXPECT_EQ(negative.main->Top(), -50);
  EXPECT_EQ(negative.main->Left() + negative.main->Width(), negative.fake.screen.Width() - 1);

  OptionsProgram empty;
  empty.fake.screen.SetSize(800, 600);
  empty.SetIni({"[Placement]", "Top=", "Left=7"});
  empty.Start();
  EXPECT_EQ(empty.main->Top() + empty.main->Height(), 599);
  EXPECT_EQ(empty.main->Left(), 7);
}

TEST(OptionsSettingsFile, AFailingTopEndsTheLoadAndTheStartUpStep) {
  OptionsProgram p;
  p.fake.files.AddFile("C:\\IMAGES\\MER.BMP");
  p.SetIni({"[Options]", "AuLancement=Oui", "Auto=Oui", "[Placement]", "Top=12PX", "Left=3"});
  p.CreateMainWindow();
  p.main->NouveauRep("C:\\IMAGES");
  const int top = p.main->Top();
  const int left = p.main->Left();
  p.CreateOptions();
  p.app.title = "Fondex2";
  p.app.Dispatch([&] { p.options->FormCreate(); });

  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].request.text, "'12px' is not a valid integer value.");
  EXPECT_EQ(p.Boxes()[0].request.title, "Fondex2");
  EXPECT_TRUE(p.options->ChBAuto.Checked());  // the keys before it stay loaded
  EXPECT_EQ(p.main->Top(), top);
  EXPECT_EQ(p.main->Left(), left);
  EXPECT_FALSE(p.main->ChangeTimer.Enabled());
  EXPECT_TRUE(p.fake.desktop.Requests().empty());
}

TEST(OptionsSettingsFile, AFailingLeftKeepsTheLoadedTop) {
  OptionsProgram p;
  p.SetIni({"[Placement]", "Top=10", "Left=-"});
  p.CreateMainWindow();
  const int left = p.main->Left();
  p.CreateOptions();
  EXPECT_THROW(p.options->FormCreate(), Error);
  EXPECT_EQ(p.main->Top(), 10);
  EXPECT_EQ(p.main->Left(), left);
}

TEST(OptionsSettingsFile, StartUpStepChangesTheWallpaperAndArmsTheTimer) {
  OptionsProgram p;
  p.fake.files.AddFile("C:\\IMAGES\\MER.BMP");
  p.SetIni({"[Options]", "HasardLieu=RepHasard", "AuLancement=Oui", "Auto=Oui", kDelaiKey + "=0"});
  p.CreateMainWindow();
  p.main->NouveauRep("C:\\IMAGES");
  p.CreateOptions();
  p.options->FormCreate();
  ASSERT_EQ(p.fake.desktop.Requests().size(), 1u);
  EXPECT_EQ(util::LowerAscii(p.fake.desktop.Requests()[0]), "c:\\images\\mer.bmp");
  EXPECT_TRUE(p.main->ChangeTimer.Enabled());
  EXPECT_EQ(p.main->ChangeTimer.Interval(), 2000);
}

TEST(OptionsSettingsFile, StartUpStepDoesNotWaitForAMainWindowThatIsNotReady) {
  OptionsProgram p;
  p.fake.files.AddFile("C:\\IMAGES\\MER.BMP");
  p.SetIni({"[Options]", "AuLancement=Oui", "Auto=Oui"});
  p.CreateMainWindow();
  p.main->NouveauRep("C:\\IMAGES");
  p.program.ProgramState = TProgramState::StateStarting;  // as after a failed creation
  p.CreateOptions();
  p.options->FormCreate();
  EXPECT_TRUE(p.options->ChBAuto.Checked());
  EXPECT_FALSE(p.main->ChangeTimer.Enabled());
  EXPECT_TRUE(p.fake.desktop.Requests().empty());
}

TEST(OptionsSettingsFile, SaveWritesTheNineKeysInOrder) {
  OptionsProgram fresh;
  fresh.Start();
  fresh.options->SaveSettings();
  EXPECT_EQ(fresh.IniBytes(),
            "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=HasardDsRep\r\nAuLancement=Non\r\n"
            "Auto=Non\r\nD\xE9lai= 60\r\nFinNone=Non\r\nFichiersCaches=Non\r\n"
            "[Placement]\r\nTop=" +
                std::to_string(fresh.main->Top()) +
                "\r\nLeft=" + std::to_string(fresh.main->Left()) + "\r\n");

  // Read back as written, yes-words become "Oui", and every other line stays.
  OptionsProgram edited;
  edited.SetIni({"; mes options", "[Options]", "HasardLieu=RepSucc", "HasardTech=HasardGlobal",
                 "AuLancement=yes", "Auto=Non", kDelaiKey + "=5", "FinNone=non",
                 "FichiersCaches=TRUE", "Couleur=bleu", "[Placement]", "Top=-50", "Left=360"});
  edited.CreateMainWindow();
  edited.CreateOptions();
  edited.options->LoadSettings();
  edited.options->SaveSettings();
  EXPECT_EQ(edited.IniBytes(),
            "; mes options\r\n[Options]\r\nHasardLieu=RepSucc\r\nHasardTech=HasardGlobal\r\n"
            "AuLancement=Oui\r\nAuto=Non\r\nD\xE9lai=  5\r\nFinNone=Non\r\nFichiersCaches=Oui\r\n"
            "Couleur=bleu\r\n[Placement]\r\nTop=-50\r\nLeft=360\r\n");
  EXPECT_EQ(edited.fake.profiles.Reads(kIniFile), 13);  // one read of each key, none by the save
}

// The keys beyond the nine (the picture formats, the notification icon, the layout, a picture per
// screen) are written
// only to a file that had them, or when the option is used: a user who never used it keeps a file
// byte for byte as before. A value read is written back in the program's own word.
TEST(OptionsSettingsFile, AnAddedKeyIsWrittenOnlyWhenTheFileHadItOrTheOptionIsUsed) {
  using options::TDisposition;
  struct Case {
    std::vector<std::string> stored;     // the key's line, if any
    std::function<void(TOptBox&)> edit;  // what the user changes before the save
    std::string written;                 // the key's line after the save; "" for none
  };
  const std::function<void(TOptBox&)> keep = [](TOptBox&) {};
  std::vector<Case> cases;
  const std::vector<std::pair<std::string, toolkit::CheckBox TOptBox::*>> checkBoxKeys = {
      {"AutresFormats", &TOptBox::ChBAutresFormats},
      {"IconeNotification", &TOptBox::ChBIconeNotif},
      {"ParEcran", &TOptBox::ChBParEcran}};
  for (const auto& [key, member] : checkBoxKeys) {
    const std::function<void(TOptBox&)> tick = [member](TOptBox& o) { (o.*member).Toggle(); };
    const std::vector<Case> checkBoxCases = {
        {{}, keep, ""},
        {{}, tick, key + "=Oui\r\n"},
        {{key + "=Non"}, keep, key + "=Non\r\n"},
        {{key + "=oui"}, keep, key + "=Oui\r\n"},
        {{key + "=Oui"}, tick, key + "=Non\r\n"},
        {{key + "="}, keep, key + "=Non\r\n"},
    };
    cases.insert(cases.end(), checkBoxCases.begin(), checkBoxCases.end());
  }
  const auto choose = [](TDisposition layout) {
    return [layout](TOptBox& o) { o.DispositionListeBox.UserSelect(static_cast<int>(layout)); };
  };
  const std::vector<Case> layoutCases = {
      {{}, choose(TDisposition::CommeSysteme), ""},
      {{}, choose(TDisposition::Ajuste), "Disposition=Ajuste\r\n"},
      {{"Disposition=REMPLIR"}, keep, "Disposition=Remplir\r\n"},
      {{"Disposition=mosaique"}, keep, "Disposition=Mosaique\r\n"},
      {{"Disposition=Etire"}, choose(TDisposition::Centre), "Disposition=Centre\r\n"},
      {{"Disposition=Ajuste"}, choose(TDisposition::CommeSysteme), "Disposition=Systeme\r\n"},
      {{"Disposition=zoom"}, keep, "Disposition=Systeme\r\n"},
  };
  cases.insert(cases.end(), layoutCases.begin(), layoutCases.end());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.empty() ? "<none> -> " + c.written : c.stored[0]);
    OptionsProgram p;
    const std::string options =
        "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=HasardDsRep\r\nAuLancement=Non\r\n"
        "Auto=Non\r\nD\xE9lai= 60\r\nFinNone=Non\r\nFichiersCaches=Non\r\n";
    std::string bytes = options;
    for (const std::string& line : c.stored) {
      bytes += line + "\r\n";
    }
    p.fake.profiles.SetFile(kIniFile, bytes + "[Placement]\r\nTop=1\r\nLeft=2\r\n");
    p.Start();
    c.edit(*p.options);
    p.options->SaveSettings();
    const std::string saved = p.IniBytes();
    EXPECT_EQ(saved, options + c.written + "[Placement]\r\nTop=" + std::to_string(p.main->Top()) +
                         "\r\nLeft=" + std::to_string(p.main->Left()) + "\r\n");
    // A second save writes the same bytes.
    p.options->SaveSettings();
    EXPECT_EQ(p.IniBytes(), saved);
  }
}

TEST(OptionsSettingsFile, AKeyThatCannotBeWrittenStopsTheSave) {
  OptionsProgram p;
  p.Start();
  p.fake.profiles.RefuseWrite(kIniFile, "Options", kDelaiKey);
  try {
    p.options->SaveSettings();
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to C:\\FONDEX\\FONDEX.INI");
  }
  EXPECT_EQ(p.IniBytes(),
            "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=HasardDsRep\r\nAuLancement=Non\r\n"
            "Auto=Non\r\n");
}

}  // namespace
}  // namespace fondex::test
