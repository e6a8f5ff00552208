#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <memory>
#include <vector>

#include "GuiTest.h"
#include "mainwindow/FondexProgram.h"
#include "qt/FormView.h"
#include "support/FakePlatform.h"

namespace fondex::test {
namespace {

// The program's own three forms on the fake platform, rendered by the Qt views.
class ProgramWindowsTest : public GuiTest {
 protected:
  ProgramWindowsTest() {
    program.Start();
    for (toolkit::Form* form : std::initializer_list<toolkit::Form*>{
             &program.MainForm(), &program.AboutBox(), &program.OptBox()}) {
      views.push_back(std::make_unique<qt::FormView>(app, *form));
      host.AddView(*views.back());
    }
    program.MainForm().Show();
    QApplication::setActiveWindow(&MainView());
  }
  ~ProgramWindowsTest() override {
    views.clear();
    program.Finish();
  }

  qt::FormView& MainView() { return *views.front(); }
  template <class W>
  W& Control(const char* name) {
    auto* widget = MainView().findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }

  FakePlatform fake;
  FondexProgram program{app, fake.Platform()};
  std::vector<std::unique_ptr<qt::FormView>> views;
};

TEST_F(ProgramWindowsTest, MainWindowIsDrawnAsDesigned) {
  EXPECT_EQ(MainView().size(), QSize(465, 253));
  EXPECT_EQ(MainView().windowTitle(), "Fondex2");
  EXPECT_TRUE(MainView().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(MainView().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

  EXPECT_EQ(Control<QListView>("FichListeBox").geometry(), QRect(15, 40, 151, 116));
  EXPECT_EQ(Control<QListView>("DirListeBox").geometry(), QRect(175, 40, 281, 116));
  EXPECT_EQ(Control<QLineEdit>("EditChoisiBMP").geometry(), QRect(15, 185, 236, 24));
  EXPECT_EQ(Control<QLabel>("Label2").text(), QString::fromUtf8("Répertoires  :"));
  EXPECT_EQ(Control<QLabel>("LblPPeintActuel").toolTip(), "");
  EXPECT_EQ(Control<QPushButton>("BBtnHasard").geometry(), QRect(423, 183, 31, 31));
  EXPECT_EQ(Control<QPushButton>("BBtnHasard").toolTip(), "Changement automatique du papier peint");
  for (const char* button : {"BBtnSelectRep", "BBtnSelectBMP", "BBtnNoWalp", "BBtnHasard",
                             "BBtnOptions", "BBtnApropos"}) {
    EXPECT_FALSE(Control<QPushButton>(button).icon().isNull()) << button;
  }
  EXPECT_FALSE(Control<QWidget>("GeleChBox").isEnabled());

  // Tab follows the designed order; the disabled freeze box is skipped.
  Control<QWidget>("FichListeBox").setFocus();
  std::vector<QString> order;
  for (int i = 0; i < 10; ++i) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    order.push_back(QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(order,
            (std::vector<QString>{"FichListeBox", "DirListeBox", "EditChoisiBMP", "BBtnSelectRep",
                                  "BBtnSelectBMP", "BBtnHasard", "BBtnNoWalp", "BBtnOptions",
                                  "BBtnApropos", "FichListeBox"}));
}

TEST_F(ProgramWindowsTest, AboutBoxOpensCentredWithOkFocusedAndOnlyEnterClosesIt) {
  QString caption;
  QString focused;
  bool openAfterEscape = false;
  WhenModal([&](QWidget& box) {
    caption = box.windowTitle();
    focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    QTest::keyClick(&KeyTarget(box), Qt::Key_Escape);
    openAfterEscape = box.isVisible();
    QTest::keyClick(&KeyTarget(box), Qt::Key_Return);
  });
  QTest::mouseClick(&Control<QPushButton>("BBtnApropos"), Qt::LeftButton);
  EXPECT_EQ(caption, "A propos de Fondex");
  EXPECT_EQ(focused, "OKButton");
  EXPECT_TRUE(openAfterEscape);
  EXPECT_FALSE(views[1]->isVisible());
  EXPECT_EQ(program.AboutBox().ModalResult(), toolkit::mr::kOK);
}

TEST_F(ProgramWindowsTest, OptionsDialogClosesWithEscapeThroughItsCancelButton) {
  QString focused;
  WhenModal([&](QWidget& dialog) {
    focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    QTest::keyClick(&KeyTarget(dialog), Qt::Key_Escape);
  });
  QTest::mouseClick(&Control<QPushButton>("BBtnOptions"), Qt::LeftButton);
  EXPECT_EQ(focused, "OKBtn");
  EXPECT_FALSE(views[2]->isVisible());
  EXPECT_EQ(program.OptBox().ModalResult(), toolkit::mr::kCancel);
}

}  // namespace
}  // namespace fondex::test
