#include <gtest/gtest.h>

#include <initializer_list>

#include "about/FondexAboutBox.h"
#include "support/FakeSystem.h"
#include "support/ScriptedModalHost.h"
#include "toolkit/Application.h"

namespace fondex::test {
namespace {

TEST(AboutBox, OkOrEnterClosesItAndEscapeDoesNot) {
  TAboutBox about;
  EXPECT_EQ(about.Caption(), "A propos de Fondex");
  EXPECT_EQ(about.bounds.width, 569);
  EXPECT_EQ(about.bounds.height, 326);
  EXPECT_EQ(about.position, toolkit::FormPosition::kScreenCenter);
  EXPECT_EQ(about.borderStyle, toolkit::BorderStyle::kDialog);
  EXPECT_EQ(about.ActiveControl(), &about.OKButton);
  EXPECT_TRUE(about.OKButton.isDefault);
  // No control answers Escape.
  EXPECT_FALSE(about.OKButton.isCancel);

  ScriptedModalHost host;
  FakeHelpViewer help;
  toolkit::Application app(host, help);
  host.ScriptModal([&about](toolkit::Form&) { about.OKButton.Click(); });
  EXPECT_EQ(app.ShowModal(about), toolkit::mr::kOK);
  EXPECT_FALSE(about.Visible());
}

TEST(AboutBox, ShowsTheProgramsNameVersionAndPurposeUnderHelpTopicFour) {
  const TAboutBox about;
  EXPECT_EQ(about.ProductName.Caption(), "FONDEX");
  EXPECT_EQ(about.Version.Caption(), "v 2.01");
  EXPECT_EQ(about.Comments.Caption(), "Un changeur de papiers peints pour Windows 95");
  EXPECT_TRUE(about.Comments.wordWrap);
  EXPECT_EQ(about.ProgramIcon.picture, "programme");
  using Controls = std::initializer_list<const toolkit::Control*>;
  for (const toolkit::Control* control :
       Controls{&about.ProductName, &about.Version, &about.Comments, &about.OKButton,
                &about.ProgramIcon}) {
    EXPECT_EQ(control->EffectiveHelpContext(), 4) << control->Name();
  }
}

}  // namespace
}  // namespace fondex::test
