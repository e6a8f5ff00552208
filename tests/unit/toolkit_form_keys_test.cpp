#include <gtest/gtest.h>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormKeys.h"

namespace fondex::toolkit {
namespace {

// A dialog whose tab order differs from its construction order, with a group box in the chain.
class Dialog : public Form {
 public:
  Dialog() : Form("Dialog") {
    Cancel.tabOrder = 3;
    Cancel.isCancel = true;
    Group.tabOrder = 1;
    Second.tabOrder = 1;
    First.tabOrder = 0;
    Edit.tabOrder = 0;
    Ok.tabOrder = 2;
    Ok.isDefault = true;
    Help.isDefault = true;  // no tab stop, but a default all the same
  }

  BitButton Cancel{"Cancel", this};
  GroupBox Group{"Group", this};
  RadioButton Second{"Second", &Group};
  RadioButton First{"First", &Group};
  Label Caption{"Caption", this};
  EditBox Edit{"Edit", this};
  BitButton Ok{"Ok", this};
  BitButton Help{"Help", this};
  std::vector<Control*> all{&Cancel, &Group, &Second, &First, &Caption, &Edit, &Ok, &Help};
};

TEST(FormKeys, TabWalksTheStopsInTabOrderWithAContainersInItsPlace) {
  Dialog dialog;
  const std::vector<const Control*> expected = {&dialog.Edit, &dialog.First, &dialog.Second,
                                                &dialog.Ok, &dialog.Cancel};
  EXPECT_EQ(TabChain(dialog), expected);
}

// The group box's radio buttons are one stop, at the checked one; a radio button of another
// parent that follows them is a group of its own.
TEST(FormKeys, ARadioGroupIsOneTabStopAtItsCheckedButton) {
  Dialog dialog;
  RadioButton alone{"Alone", &dialog};
  alone.tabOrder = 5;
  const std::vector<const Control*> chain = TabChain(dialog);
  ASSERT_EQ(chain.back(), &alone);
  const std::vector<bool> starts = {true, true, false, true, true, true};
  for (std::size_t i = 0; i < chain.size(); ++i) {
    EXPECT_EQ(StartsGroup(chain, i), starts[i]) << chain[i]->Name();
  }
  const struct {
    RadioButton* checked;
    const Control* stop;
  } cases[] = {{nullptr, &dialog.First}, {&dialog.Second, &dialog.Second}};
  for (const auto& [checked, stop] : cases) {
    if (checked != nullptr) {
      checked->SetChecked(true);
    }
    const std::vector<const Control*> expected = {&dialog.Edit, stop, &dialog.Ok, &dialog.Cancel,
                                                  &alone};
    EXPECT_EQ(TabStops(chain), expected);
  }
  const auto any = [](const Control&) { return true; };
  const auto notSecond = [&dialog](const Control& control) { return &control != &dialog.Second; };
  EXPECT_EQ(ArrowTarget(chain, 1, true, any), &dialog.Second);
  EXPECT_EQ(ArrowTarget(chain, 2, true, any), &dialog.First) << "round the group";
  EXPECT_EQ(ArrowTarget(chain, 1, false, any), &dialog.Second) << "round the group";
  EXPECT_EQ(ArrowTarget(chain, 1, true, notSecond), &dialog.First) << "none to choose";
  EXPECT_EQ(ArrowTarget(chain, 5, true, any), &alone) << "a group of one";
}

TEST(FormKeys, EnterAndEscapePressTheButtonsOfTheirRoles) {
  Dialog dialog;
  const auto clickable = [](const Control& control) { return control.Enabled(); };
  const struct {
    const char* what;
    int key;
    Control* focused;
    Control* disabled;
    BitButton* expected;
  } cases[] = {
      {"Enter: the default", vk::kReturn, &dialog.Edit, nullptr, &dialog.Ok},
      {"Enter: the focused button first", vk::kReturn, &dialog.Cancel, nullptr, &dialog.Cancel},
      {"Enter: the next default when one cannot be clicked", vk::kReturn, nullptr, &dialog.Ok,
       &dialog.Help},
      {"Escape: the cancel button", vk::kEscape, &dialog.Ok, nullptr, &dialog.Cancel},
      {"Escape: none to click", vk::kEscape, nullptr, &dialog.Cancel, nullptr},
      {"another key", vk::kSpace, &dialog.Ok, nullptr, nullptr},
  };
  for (const auto& [what, key, focused, disabled, expected] : cases) {
    if (disabled != nullptr) {
      disabled->SetEnabled(false);
    }
    EXPECT_EQ(DialogButtonFor(key, focused, dialog.all, clickable), expected) << what;
    if (disabled != nullptr) {
      disabled->SetEnabled(true);
    }
  }
}

TEST(FormKeys, StandardButtonsBringTheirOwnImage) {
  BitButton button("Button", nullptr);
  const struct {
    BitButtonKind kind;
    std::string glyph;
    std::string expected;
  } cases[] = {
      {BitButtonKind::kOK, "", "ok"},     {BitButtonKind::kCancel, "", "annuler"},
      {BitButtonKind::kHelp, "", "aide"}, {BitButtonKind::kRetry, "", "recommencer"},
      {BitButtonKind::kCustom, "", ""},   {BitButtonKind::kOK, "hasard", "hasard"},
  };
  for (const auto& [kind, glyph, expected] : cases) {
    button.buttonKind = kind;
    button.glyph = glyph;
    EXPECT_EQ(GlyphOf(button), expected) << glyph;
  }
}

}  // namespace
}  // namespace fondex::toolkit
