#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "options_fixture.h"
#include "util/Paths.h"

namespace fondex::test {
namespace {

using Names = std::vector<std::string>;
using toolkit::Control;
using toolkit::mr::kCancel;
using toolkit::mr::kOK;
using toolkit::mr::kRetry;

// Names of a control's children that are tab stops, in tab order.
Names TabStops(const Control& parent) {
  std::vector<const Control*> stops;
  for (const Control* child : parent.Children()) {
    if (child->tabOrder >= 0) {
      stops.push_back(child);
    }
  }
  std::sort(stops.begin(), stops.end(),
            [](const Control* a, const Control* b) { return a->tabOrder < b->tabOrder; });
  Names names;
  for (const Control* stop : stops) {
    names.push_back(stop->Name());
  }
  return names;
}

// Shows the dialog modally; the script plays the user while it is open.
int ShowDialog(OptionsProgram& p, std::function<void(TOptBox&)> user) {
  p.fake.modalHost.ScriptModal([&p, user](toolkit::Form&) { user(*p.options); });
  return p.app.ShowModal(*p.options);
}

void Press(OptionsProgram& p, toolkit::BitButton& button) {
  p.app.Dispatch([&button] { button.Click(); });
}

// Every setting a user can see in the dialog.
struct Shown {
  THasardLieu lieu;
  THasardTech tech;
  Names checkedTechniques;
  bool lancement, automatic, finNone, caches, otherFormats, notifyIcon, eachScreen;
  int layoutLine;
  std::string delai;
  bool delaiEnabled;
  bool operator==(const Shown&) const = default;
};

Shown ShownBy(const OptionsProgram& p) {
  const TOptBox& o = *p.options;
  return {o.HasardLieu(),
          o.HasardTech(),
          p.CheckedTechniques(),
          o.ChBLancement.Checked(),
          o.ChBAuto.Checked(),
          o.ChBFinNone.Checked(),
          o.ChBCaches.Checked(),
          o.ChBAutresFormats.Checked(),
          o.ChBIconeNotif.Checked(),
          o.ChBParEcran.Checked(),
          o.DispositionListeBox.ItemIndex(),
          o.EdDelai.Text(),
          o.EdDelai.Enabled()};
}

void EditEverything(TOptBox& o) {
  o.SuccRepHasardRB.SetChecked(true);
  o.ChBLancement.Toggle();
  o.ChBAuto.Toggle();
  o.SpBDelai.OnDownClick();
  o.SpBDelai.OnDownClick();
  o.ChBFinNone.Toggle();
  o.ChBCaches.Toggle();
  o.ChBAutresFormats.Toggle();
  o.ChBIconeNotif.Toggle();
  o.ChBParEcran.Toggle();
  o.DispositionListeBox.UserSelect(5);
}

TEST(OptionsDialog, ButtonsFocusAndHelpAsAUserMeetsThem) {
  OptionsProgram p;
  p.Start();
  TOptBox& o = *p.options;
  EXPECT_EQ(o.Caption(), "Fondex : Options");
  EXPECT_EQ(o.bounds.width, 579);
  EXPECT_EQ(o.bounds.height, 974);
  EXPECT_EQ(o.borderStyle, toolkit::BorderStyle::kDialog);
  EXPECT_EQ(o.position, toolkit::FormPosition::kScreenCenter);
  EXPECT_EQ(o.ActiveControl(), &o.OKBtn);
  EXPECT_TRUE(o.OKBtn.isDefault);
  EXPECT_FALSE(o.OKBtn.isCancel);
  EXPECT_TRUE(o.CancelBtn.isCancel);
  EXPECT_FALSE(o.CancelBtn.isDefault);
  EXPECT_EQ(o.CancelBtn.caption, "Annuler");
  EXPECT_EQ(o.HelpBtn.caption, "Aide");
  EXPECT_EQ(o.CompteBBtn.caption, "Compte");
  EXPECT_EQ(o.CompteBBtn.buttonKind, toolkit::BitButtonKind::kRetry);
  EXPECT_TRUE(o.EdDelai.readOnly);

  EXPECT_EQ(TabStops(o),
            (Names{"OKBtn", "CancelBtn", "HelpBtn", "ChBCaches", "ChBLancement", "ChBAuto",
                   "EdDelai", "ChBFinNone", "ChangeAutoGBox", "ChBAutresFormats", "ChBIconeNotif",
                   "DispositionListeBox", "ChBParEcran"}));
  EXPECT_EQ(TabStops(o.ChangeAutoGBox),
            (Names{"HasardGlobalRB", "HasardRepSelRB", "SuccRepSelRB", "SuccRepHasardRB",
                   "SuccRepSuccRB", "HasardRepHasardRB", "HasardRepSuccRB", "CompteBBtn"}));

  EXPECT_EQ(o.Label4.Caption(), "Formats d'images");
  EXPECT_EQ(o.ChBAutresFormats.Caption(), "Tenir compte des images JPEG, PNG et WebP");
  EXPECT_EQ(o.ChBAutresFormats.EffectiveHelpContext(), 3);
  EXPECT_EQ(o.Label5.Caption(), "Zone de notification");
  EXPECT_EQ(o.ChBIconeNotif.Caption(), "Afficher une icône dans la zone de notification");
  EXPECT_EQ(o.ChBIconeNotif.EffectiveHelpContext(), 3);
  EXPECT_EQ(o.LabelDisposition.Caption(), "Disposition du papier peint");
  EXPECT_EQ(o.DispositionListeBox.Items(),
            (Names{"Comme le système", "Centré", "Mosaïque", "Étiré", "Ajusté", "Remplir"}));
  EXPECT_EQ(o.DispositionListeBox.EffectiveHelpContext(), 3);
  EXPECT_EQ(o.LabelEcrans.Caption(), "Écrans");
  EXPECT_EQ(o.ChBParEcran.Caption(), "Un papier peint différent sur chaque écran");
  EXPECT_EQ(o.ChBParEcran.EffectiveHelpContext(), 3);

  // F1: topic 3 outside the group box, nothing inside it.
  for (const Control* control : std::initializer_list<const Control*>{
           &o.ChBLancement, &o.ChBAuto, &o.EdDelai, &o.SpBDelai, &o.ChBFinNone, &o.ChBCaches,
           &o.OKBtn, &o.CancelBtn, &o.HelpBtn}) {
    EXPECT_EQ(control->EffectiveHelpContext(), 3) << control->Name();
  }
  for (const Control* control : o.ChangeAutoGBox.Children()) {
    EXPECT_EQ(control->EffectiveHelpContext(), 0) << control->Name();
  }
}

TEST(OptionsDialog, TheAddedAreasStandBelowTheHiddenFilesAreaWithTheDesignedRoom) {
  OptionsProgram p;
  p.CreateOptions();
  const TOptBox& o = *p.options;
  const toolkit::Bounds caches = o.Bevel2.bounds;
  const int designedGap = caches.top - (o.Bevel1.bounds.top + o.Bevel1.bounds.height);
  // Each frame below the one before, with the room between the two designed frames, and below
  // the last one the room below the hidden-files area.
  toolkit::Bounds above = caches;
  for (const toolkit::Bevel* frame : {&o.Bevel3, &o.Bevel4, &o.BevelDisposition, &o.BevelEcrans}) {
    EXPECT_EQ(frame->bounds.top - (above.top + above.height), designedGap) << frame->Name();
    EXPECT_EQ(frame->bounds.left, caches.left) << frame->Name();
    EXPECT_EQ(frame->bounds.width, caches.width) << frame->Name();
    above = frame->bounds;
  }
  EXPECT_EQ(o.bounds.height - (above.top + above.height), 539 - (caches.top + caches.height));
  // The hidden-files title stays where it was designed: centred on its 126 pixels at 158.
  EXPECT_EQ(2 * o.Label2.bounds.left + o.Label2.bounds.width, 2 * 158 + 126);
  EXPECT_EQ(o.Label2.bounds.top, 455);
  EXPECT_EQ(o.ChBCaches.bounds.left, 88);
  EXPECT_EQ(o.ChBCaches.bounds.top, 484);
  // The layout list shows all its lines inside its frame, at the check boxes' indent.
  const toolkit::Bounds list = o.DispositionListeBox.bounds;
  EXPECT_EQ(list.left, 88);
  EXPECT_GE(list.height, o.DispositionListeBox.Count() * o.DispositionListeBox.itemHeight);
  EXPECT_LE(list.top + list.height,
            o.BevelDisposition.bounds.top + o.BevelDisposition.bounds.height - 12);
  EXPECT_GE(list.top, o.LabelDisposition.bounds.top + o.LabelDisposition.bounds.height);
}

TEST(OptionsDialog, EachButtonClosesWithItsOwnResultAndHelpStaysOpen) {
  OptionsProgram p;
  p.app.helpFile = "C:\\FONDEX\\Fondex.hlp";
  p.Start();
  std::optional<int> afterHelp;
  EXPECT_EQ(ShowDialog(p,
                       [&](TOptBox& o) {
                         Press(p, o.HelpBtn);
                         afterHelp = o.ModalResult();
                         Press(p, o.OKBtn);
                       }),
            kOK);
  EXPECT_EQ(afterHelp, 0);
  EXPECT_EQ(p.fake.help.Requests(), (std::vector<HelpRequest>{{"C:\\FONDEX\\Fondex.hlp", 3}}));
  EXPECT_EQ(ShowDialog(p, [&](TOptBox& o) { Press(p, o.CancelBtn); }), kCancel);
  EXPECT_EQ(ShowDialog(p, [&](TOptBox& o) { Press(p, o.CompteBBtn); }), kRetry);
  EXPECT_FALSE(p.options->Visible());
}

TEST(OptionsDialog, CancelPutsEverythingBackAndWritesNothing) {
  OptionsProgram p;
  p.SetIni({"[Options]", "HasardLieu=RepSucc", "HasardTech=HasardGlobal", "AuLancement=Non",
            "Auto=Oui", "D\xE9lai=5", "FinNone=Non", "FichiersCaches=Oui"});
  p.Start();
  const Shown before = ShownBy(p);
  const std::string file = p.IniBytes();
  std::optional<Shown> edited;
  const int result = ShowDialog(p, [&](TOptBox& o) {
    EditEverything(o);
    edited = ShownBy(p);
    Press(p, o.CancelBtn);
  });
  EXPECT_EQ(result, kCancel);
  ASSERT_TRUE(edited.has_value());
  EXPECT_EQ(edited->checkedTechniques, Names{"SuccRepHasardRB"});
  EXPECT_EQ(edited->delai, "  3");
  EXPECT_FALSE(edited->delaiEnabled);
  EXPECT_TRUE(ShownBy(p) == before);
  EXPECT_EQ(p.CheckedTechniques(), Names{"HasardGlobalRB"});
  EXPECT_TRUE(p.options->SpBDelai.Enabled());
  EXPECT_EQ(p.IniBytes(), file);
}

TEST(OptionsDialog, CloseBoxKeepsTheEditsUntilTheNextOk) {
  OptionsProgram p;
  p.Start();
  std::optional<Shown> edited;
  EXPECT_EQ(ShowDialog(p,
                       [&](TOptBox& o) {
                         EditEverything(o);
                         edited = ShownBy(p);
                       }),
            toolkit::kCloseBoxResult);
  ASSERT_TRUE(edited.has_value());
  EXPECT_TRUE(ShownBy(p) == *edited);
  EXPECT_FALSE(p.fake.profiles.Exists(kIniFile));

  // The next opening takes its snapshot from the edited settings.
  EXPECT_EQ(ShowDialog(p,
                       [&](TOptBox& o) {
                         o.SuccRepSuccRB.SetChecked(true);
                         Press(p, o.CancelBtn);
                       }),
            kCancel);
  EXPECT_TRUE(ShownBy(p) == *edited);

  EXPECT_EQ(ShowDialog(p, [&](TOptBox& o) { Press(p, o.OKBtn); }), kOK);
  const std::string file = p.IniBytes();
  EXPECT_NE(file.find("HasardLieu=RepHasard\r\nHasardTech=Successif\r\nAuLancement=Oui\r\n"
                      "Auto=Oui\r\nD\xE9lai= 40\r\nFinNone=Oui\r\nFichiersCaches=Oui\r\n"),
            std::string::npos)
      << file;
}

TEST(OptionsDialog, AFailingSaveOnOkIsReportedAndTheDialogClosesAllTheSame) {
  OptionsProgram p;
  p.Start();
  p.app.title = "Fondex2";
  p.fake.profiles.RefuseWrite(kIniFile, "Placement");
  EXPECT_EQ(ShowDialog(p,
                       [&](TOptBox& o) {
                         o.ChBFinNone.Toggle();
                         Press(p, o.OKBtn);
                       }),
            kOK);
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].request.text, "Unable to write to C:\\FONDEX\\FONDEX.INI.");
  EXPECT_TRUE(p.options->ChBFinNone.Checked());
  EXPECT_NE(p.IniBytes().find("FinNone=Oui"), std::string::npos);
}

TEST(OptionsDialog, AutoBoxGreysTheDelayControlsButKeepsTheDelay) {
  OptionsProgram p;
  p.Start();
  ShowDialog(p, [&](TOptBox& o) {
    EXPECT_FALSE(o.EdDelai.Enabled());
    EXPECT_FALSE(o.SpBDelai.Enabled());
    o.ChBAuto.Toggle();
    EXPECT_TRUE(o.EdDelai.Enabled());
    EXPECT_TRUE(o.SpBDelai.Enabled());
    o.SpBDelai.OnUpClick();
    o.ChBAuto.Toggle();
    EXPECT_FALSE(o.EdDelai.Enabled());
    EXPECT_FALSE(o.SpBDelai.Enabled());
    EXPECT_EQ(o.EdDelai.Text(), " 70");
  });
}

// The delays that repeated clicks on one half of the spin button go through, the start
// included, until a click changes nothing.
std::vector<int> Steps(TOptBox& o, int from, const std::function<void()>& click) {
  o.SetDelai(from);
  std::vector<int> seen{o.GetDelai()};
  for (;;) {
    click();
    if (o.GetDelai() == seen.back()) {
      return seen;
    }
    seen.push_back(o.GetDelai());
  }
}

TEST(OptionsDialog, SpinButtonStepsAlongTheGridBothWays) {
  OptionsProgram p;
  p.Start();
  TOptBox& o = *p.options;
  const auto up = [&o] { o.SpBDelai.OnUpClick(); };
  const auto down = [&o] { o.SpBDelai.OnDownClick(); };

  std::vector<int> grid{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30};
  for (int d = 40; d <= 360; d += 10) {
    grid.push_back(d);
  }
  EXPECT_EQ(Steps(o, 0, up), grid);
  std::reverse(grid.begin(), grid.end());
  EXPECT_EQ(Steps(o, 360, down), grid);

  std::vector<int> offGridUp;
  for (int d = 37; d <= 357; d += 10) {
    offGridUp.push_back(d);
  }
  offGridUp.push_back(360);
  EXPECT_EQ(Steps(o, 37, up), offGridUp);
  EXPECT_EQ(Steps(o, 37, down), (std::vector<int>{37, 27, 22, 17, 12, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(o.EdDelai.Text(), "  0");
  EXPECT_TRUE(p.Boxes().empty());
}

struct Pair {
  THasardLieu lieu;
  THasardTech tech;
  bool operator==(const Pair&) const = default;
};

TEST(OptionsDialog, ATechniqueClickEndsInTheClickedButtonsPair) {
  using L = THasardLieu;
  using T = THasardTech;
  // Each button's pair; the global one keeps the place it finds.
  const std::vector<std::pair<std::string, std::optional<Pair>>> buttons{
      {"HasardGlobalRB", std::nullopt},
      {"HasardRepHasardRB", Pair{L::RepHasard, T::HasardDsRep}},
      {"HasardRepSuccRB", Pair{L::RepSucc, T::HasardDsRep}},
      {"HasardRepSelRB", Pair{L::RepActif, T::HasardDsRep}},
      {"SuccRepSelRB", Pair{L::RepActif, T::Successif}},
      {"SuccRepHasardRB", Pair{L::RepHasard, T::Successif}},
      {"SuccRepSuccRB", Pair{L::RepSucc, T::Successif}},
  };
  OptionsProgram p;
  p.Start();
  TOptBox& o = *p.options;
  std::map<std::string, toolkit::RadioButton*> byName;
  for (Control* child : o.ChangeAutoGBox.Children()) {
    if (auto* radio = dynamic_cast<toolkit::RadioButton*>(child)) {
      byName[radio->Name()] = radio;
    }
  }
  for (const L lieu : {L::RepActif, L::RepHasard, L::RepSucc}) {
    for (const T tech : {T::HasardGlobal, T::HasardDsRep, T::Successif}) {
      for (const auto& [name, pair] : buttons) {
        SCOPED_TRACE(name + " from " + std::to_string(static_cast<int>(lieu)) + "," +
                     std::to_string(static_cast<int>(tech)));
        o.SetHasardLieu(lieu);
        o.SetHasardTech(tech);
        byName.at(name)->SetChecked(true);
        EXPECT_EQ((Pair{o.HasardLieu(), o.HasardTech()}),
                  pair.value_or(Pair{lieu, T::HasardGlobal}));
        EXPECT_EQ(p.CheckedTechniques(), Names{name});
      }
    }
  }
  EXPECT_TRUE(p.Boxes().empty());
}

TEST(OptionsDialog, GlobalTechniqueKeepsThePlaceAndSavesIt) {
  OptionsProgram p;
  p.SetIni({"[Options]", "HasardLieu=RepSucc", "HasardTech=HasardDsRep"});
  p.Start();
  ShowDialog(p, [&](TOptBox& o) {
    o.HasardGlobalRB.SetChecked(true);
    Press(p, o.OKBtn);
  });
  EXPECT_NE(p.IniBytes().find("HasardLieu=RepSucc\r\nHasardTech=HasardGlobal\r\n"),
            std::string::npos);
}

TEST(OptionsDialog, ATechniqueClickWithNoButtonCheckedChangesNothing) {
  OptionsProgram p;
  p.CreateMainWindow();
  p.CreateOptions();
  p.options->ChoixTechClick();
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].request.kind, toolkit::MessageKind::kInformation);
  EXPECT_EQ(p.Boxes()[0].request.text,
            "Pépin dans ChoixTechClick : OpHasardLieu et Tech non affectés");
  EXPECT_EQ(p.options->HasardLieu(), THasardLieu::RepActif);
  EXPECT_EQ(p.options->HasardTech(), THasardTech::HasardGlobal);
  EXPECT_TRUE(p.CheckedTechniques().empty());
}

TEST(OptionsDialog, RecountOfAnEmptyListSaysZeroAndCloses) {
  OptionsProgram p;
  p.Start();
  EXPECT_EQ(ShowDialog(p, [&](TOptBox& o) { Press(p, o.CompteBBtn); }), kRetry);
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].request.kind, toolkit::MessageKind::kInformation);
  EXPECT_EQ(p.Boxes()[0].request.text, " Nombre de papiers peints : 0");
}

TEST(OptionsDialog, RecountDropsAMissingDirectoryAndCountsTheOthers) {
  OptionsProgram p;
  p.fake.files.AddFile("C:\\A\\UN.BMP");
  p.fake.files.AddFile("C:\\A\\DEUX.BMP");
  p.fake.files.AddFile("C:\\A\\CACHE.BMP", {}, platform::kArchive | platform::kHidden);
  p.fake.files.AddFile("C:\\C\\UN.BMP");
  p.fake.files.AddFile("C:\\C\\DEUX.BMP");
  p.fake.files.AddFile("C:\\C\\TROIS.BMP");
  p.fake.files.AddFile("C:\\C\\NOTE.TXT");
  p.Start();
  TFondexMainForm& main = *p.main;
  for (const char* directory : {"C:\\A", "C:\\B", "C:\\C"}) {
    main.NouveauRep(directory);
  }
  main.DirListeBox.SetItemIndex(0);

  // Hidden files ticked in the same opening are not counted yet.
  ShowDialog(p, [&](TOptBox& o) {
    o.ChBCaches.Toggle();
    Press(p, o.CompteBBtn);
  });
  ASSERT_EQ(p.Boxes().size(), 2u);
  EXPECT_EQ(p.Boxes()[0].request.kind, toolkit::MessageKind::kWarning);
  EXPECT_EQ(p.Boxes()[0].request.text, "Le répertoire c:\\b est introuvable");
  EXPECT_EQ(p.Boxes()[1].request.text, " Nombre de papiers peints : 5");
  EXPECT_EQ(main.DirListeBox.Items(), (Names{"c:\\a", "c:\\c"}));
  EXPECT_EQ(main.DirCounts.Get(0), 2);
  EXPECT_EQ(main.DirCounts.Get(1), 3);
  EXPECT_EQ(main.DirCounts.Get(2), 0);
  EXPECT_EQ(main.TotalCount, 5);
  // The remembered selection is opened again.
  EXPECT_EQ(main.DirListeBox.ItemIndex(), 0);
  EXPECT_EQ(util::LowerAscii(main.FichListeBox.Directory()), "c:\\a");
}

}  // namespace
}  // namespace fondex::test
