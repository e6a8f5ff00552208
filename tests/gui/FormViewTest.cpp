#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <memory>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "qt/FormView.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"

namespace fondex::test {
namespace {

// A small dialog with one control of each common kind.
class SampleForm : public toolkit::Form {
 public:
  SampleForm() : toolkit::Form("SampleForm") {
    bounds = {0, 0, 320, 200};
    borderStyle = toolkit::BorderStyle::kDialog;
    position = toolkit::FormPosition::kScreenCenter;
    helpContext = 3;
    SetCaption("Fondex : Options");
    title.bounds = {10, 8, 200, 20};
    title.font = {"MS Sans Serif", -17, true};
    title.hint = "Le titre";
    title.SetCaption("Choix automatique");
    name.bounds = {10, 34, 150, 24};
    name.tabOrder = 0;
    freeze.bounds = {10, 64, 150, 20};
    freeze.tabOrder = 1;
    freeze.SetCaption("Geler");
    group.bounds = {170, 30, 140, 80};
    group.caption = "Technique";
    group.tabOrder = 2;
    first.bounds = {8, 20, 120, 20};
    first.tabOrder = 1;
    first.SetCaption("Premier");
    second.bounds = {8, 48, 120, 20};
    second.tabOrder = 0;
    second.SetCaption("Second");
    ok.bounds = {10, 160, 90, 30};
    ok.caption = "OK";
    ok.buttonKind = toolkit::BitButtonKind::kOK;
    ok.modalResult = toolkit::mr::kOK;
    ok.isDefault = true;
    ok.tabOrder = 3;
    cancel.bounds = {110, 160, 90, 30};
    cancel.caption = "Annuler";
    cancel.buttonKind = toolkit::BitButtonKind::kCancel;
    cancel.modalResult = toolkit::mr::kCancel;
    cancel.isCancel = true;
    cancel.tabOrder = 4;
    cancel.helpContext = 7;
  }

  toolkit::Label title{"Title", this};
  toolkit::EditBox name{"Name", this};
  toolkit::CheckBox freeze{"Freeze", this};
  toolkit::GroupBox group{"Group", this};
  toolkit::RadioButton first{"First", &group};
  toolkit::RadioButton second{"Second", &group};
  toolkit::BitButton ok{"Ok", this};
  toolkit::BitButton cancel{"Cancel", this};
};

class FormViewTest : public GuiTest {
 protected:
  FormViewTest() {
    host.AddView(*view);
    form.OnKeyDown = [this](int key, toolkit::ShiftState) { formKeys.push_back(key); };
  }

  template <class W>
  W& Widget(const char* name) {
    auto* widget = view->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }

  // Shows the form non-modally, with the keyboard on the control.
  void ShowWithFocusOn(const char* name) {
    form.Show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    Widget<QWidget>(name).setFocus();
  }

  SampleForm form;
  std::unique_ptr<qt::FormView> view = std::make_unique<qt::FormView>(app, form);
  std::vector<int> formKeys;
};

TEST_F(FormViewTest, RendersEveryControlAtItsDesignedPlace) {
  EXPECT_EQ(view->size(), QSize(320, 200));
  EXPECT_EQ(view->windowTitle(), "Fondex : Options");

  auto& title = Widget<QLabel>("Title");
  // A label keeps its designed place and grows to its text when the face is larger.
  EXPECT_EQ(title.pos(), QPoint(10, 8));
  EXPECT_GE(title.width(), 200);
  EXPECT_GE(title.height(), std::max(20, title.fontMetrics().height()));
  EXPECT_EQ(title.text(), "Choix automatique");
  EXPECT_EQ(title.toolTip(), "Le titre");
  EXPECT_EQ(title.font().pixelSize(), 17);
  EXPECT_TRUE(title.font().bold());

  // Children of a group box are placed relative to it.
  auto& second = Widget<QRadioButton>("Second");
  EXPECT_EQ(second.parentWidget(), &Widget<QGroupBox>("Group"));
  EXPECT_EQ(second.geometry(), QRect(8, 48, 120, 20));
  EXPECT_EQ(Widget<QGroupBox>("Group").title(), "Technique");

  EXPECT_EQ(Widget<QPushButton>("Ok").text(), "OK");
  EXPECT_FALSE(Widget<QPushButton>("Ok").icon().isNull());  // the OK kind's glyph
  EXPECT_EQ(Widget<QCheckBox>("Freeze").text(), "Geler");
}

TEST_F(FormViewTest, CaptionsLongerThanTheirDesignedPlaceStillShowWhole) {
  form.title.SetCaption("Un changeur de papiers peints pour Windows 95");
  auto& title = Widget<QLabel>("Title");
  EXPECT_GE(title.width(), title.fontMetrics().horizontalAdvance(title.text()));
  EXPECT_EQ(title.pos(), QPoint(10, 8));
  form.title.wordWrap = true;
  form.title.SetCaption("Un changeur de papiers peints pour Windows 95, et pour bien d'autres");
  EXPECT_EQ(title.width(), 200);
  EXPECT_GT(title.height(), 20);  // wrapped onto more lines than designed for

  form.freeze.SetCaption("Tenir compte des fichiers cachés");
  form.freeze.SetChecked(true);  // the view re-reads its caption
  auto& freeze = Widget<QCheckBox>("Freeze");
  EXPECT_EQ(freeze.width(), 150);
  EXPECT_LT(freeze.font().stretch(), 100);
  EXPECT_LE(QFontMetrics(freeze.font()).horizontalAdvance(freeze.text()), 150 - 20);
}

TEST_F(FormViewTest, TabGoesThroughTheTabStopsInTheirOrderInsideContainers) {
  ShowWithFocusOn("Name");
  std::vector<QString> visited;
  for (int i = 0; i < 6; ++i) {
    visited.push_back(QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, (std::vector<QString>{"Name", "Freeze", "Second", "First", "Ok", "Cancel"}));
}

TEST_F(FormViewTest, FollowsTheModelAndLetsGoOfItWhenDestroyed) {
  form.title.SetCaption("Fichiers cachés");
  form.name.SetText("c:\\images\\mer.bmp");
  form.freeze.SetEnabled(false);
  form.ok.SetVisible(false);
  form.second.SetChecked(true);
  form.SetCaption("Autre");
  EXPECT_EQ(Widget<QLabel>("Title").text(), QString::fromUtf8("Fichiers cachés"));
  EXPECT_EQ(Widget<QLineEdit>("Name").text(), "c:\\images\\mer.bmp");
  EXPECT_FALSE(Widget<QCheckBox>("Freeze").isEnabled());
  EXPECT_TRUE(Widget<QPushButton>("Ok").isHidden());
  EXPECT_TRUE(Widget<QRadioButton>("Second").isChecked());
  EXPECT_EQ(view->windowTitle(), "Autre");

  form.first.SetChecked(true);  // the model unchecks its sibling; the view shows it
  EXPECT_FALSE(Widget<QRadioButton>("Second").isChecked());

  form.Show();
  EXPECT_TRUE(view->isVisible());
  form.Hide();
  EXPECT_FALSE(view->isVisible());

  view.reset();
  form.title.SetCaption("Sans vue");  // no view left to call
  form.SetCaption("Sans vue");
}

TEST_F(FormViewTest, ClicksGoToTheModel) {
  int freezeClicks = 0;
  int secondClicks = 0;
  form.freeze.OnClick = [&] { ++freezeClicks; };
  form.second.OnClick = [&] { ++secondClicks; };
  form.first.SetChecked(true);
  form.Show();

  QTest::mouseClick(&Widget<QCheckBox>("Freeze"), Qt::LeftButton);
  EXPECT_TRUE(form.freeze.Checked());
  EXPECT_TRUE(Widget<QCheckBox>("Freeze").isChecked());
  QTest::mouseClick(&Widget<QRadioButton>("Second"), Qt::LeftButton);
  QTest::mouseClick(&Widget<QRadioButton>("Second"), Qt::LeftButton);  // stays checked
  EXPECT_TRUE(form.second.Checked());
  EXPECT_FALSE(form.first.Checked());
  EXPECT_FALSE(Widget<QRadioButton>("First").isChecked());
  EXPECT_EQ(freezeClicks, 1);
  EXPECT_EQ(secondClicks, 1);
}

TEST_F(FormViewTest, ButtonClickSetsTheModalResultBeforeItsHandlerRuns) {
  int resultSeenByHandler = -1;
  form.ok.OnClick = [&] { resultSeenByHandler = form.ModalResult(); };
  QPoint topLeft;
  QPoint centre;
  WhenModal([&](QWidget& window) {
    topLeft = window.pos();
    centre = window.frameGeometry().center();
    QTest::mouseClick(&Widget<QPushButton>("Ok"), Qt::LeftButton);
  });
  EXPECT_EQ(app.ShowModal(form), toolkit::mr::kOK);
  EXPECT_EQ(resultSeenByHandler, toolkit::mr::kOK);
  EXPECT_FALSE(view->isVisible());
  const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((centre - screen).manhattanLength(), 2);

  // Shown again, it stays where it was left; the close box gives 2, Escape the cancel button.
  WhenModal([&](QWidget& window) {
    window.move(topLeft + QPoint(30, 40));
    window.close();
  });
  EXPECT_EQ(app.ShowModal(form), toolkit::kCloseBoxResult);
  QPoint reopenedAt;
  WhenModal([&](QWidget& window) {
    reopenedAt = window.pos();
    QTest::keyClick(&KeyTarget(window), Qt::Key_Escape);
  });
  EXPECT_EQ(app.ShowModal(form), toolkit::mr::kCancel);
  EXPECT_EQ(reopenedAt, topLeft + QPoint(30, 40));
}

TEST_F(FormViewTest, EditBoxKeepsTypedTextAndHandsEnterToItsHandler) {
  std::string pressed;
  form.name.OnKeyPress = [&](char& key) {
    pressed += key;
    if (key == 'x') {
      key = 0;
    }
  };
  int okClicks = 0;
  form.ok.OnClick = [&] { ++okClicks; };
  ShowWithFocusOn("Name");
  QWidget& edit = Widget<QLineEdit>("Name");

  QTest::keyClicks(&edit, "hbx");
  EXPECT_EQ(form.name.Text(), "hb");  // x swallowed by the handler
  EXPECT_TRUE(formKeys.empty());      // letters stay text, never commands of the form
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(pressed, "hbx\r");
  EXPECT_EQ(form.name.Text(), "hb");
  EXPECT_EQ(okClicks, 1);  // Enter left by the handler presses the default button

  form.name.OnKeyPress = [&](char& key) { key = key == '\r' ? 0 : key; };
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(FormViewTest, KeysGoToTheFocusedControlAndTheFormHearsOnlyItsOwn) {
  std::vector<std::pair<int, bool>> buttonKeys;
  form.cancel.OnKeyDown = [&](int key, toolkit::ShiftState shift) {
    buttonKeys.emplace_back(key, shift.shift);
  };
  ShowWithFocusOn("Cancel");
  QTest::keyClick(&Widget<QWidget>("Cancel"), Qt::Key_B);
  QTest::keyClick(&Widget<QWidget>("Cancel"), Qt::Key_H, Qt::ShiftModifier);
  // Shift itself goes down first, as its own key.
  EXPECT_EQ(buttonKeys, (std::vector<std::pair<int, bool>>{{66, false}, {16, true}, {72, true}}));

  Widget<QWidget>("Freeze").setFocus();
  QTest::keyClick(&Widget<QWidget>("Freeze"), Qt::Key_P);
  EXPECT_TRUE(formKeys.empty());

  // With no control focused the form's own handler hears the key.
  QApplication::focusWidget()->clearFocus();
  QTest::keyClick(view.get(), Qt::Key_R);
  EXPECT_EQ(formKeys, std::vector<int>{82});
}

TEST_F(FormViewTest, F1OpensTheHelpOfTheFocusedControlOrItsForm) {
  ShowWithFocusOn("Cancel");
  QTest::keyClick(&Widget<QWidget>("Cancel"), Qt::Key_F1);
  Widget<QWidget>("Name").setFocus();
  QTest::keyClick(&Widget<QWidget>("Name"), Qt::Key_F1);
  ASSERT_EQ(help.Requests().size(), 2u);
  EXPECT_EQ(help.Requests()[0].context, 7);
  EXPECT_EQ(help.Requests()[1].context, 3);
  EXPECT_EQ(form.ActiveControl(), &form.name);  // the model follows the focus
}

}  // namespace
}  // namespace fondex::test
