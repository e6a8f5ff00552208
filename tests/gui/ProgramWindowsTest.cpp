// The program's own windows, rendered by the Qt views on the fake platform.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <typeinfo>

#include "mainwindow/FondexProgram.h"
#include "platform/posix/PosixNativeNames.h"
#include "qt/MainWindowView.h"
#include "qt/QtServices.h"
#include "qt/SpinButtonView.h"
#include "support/FakePlatform.h"

namespace fondex::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ProgramWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* directory : {"C:\\Images", "C:\\Fonds"}) {
      fake.files.AddDirectory(directory);
    }
    for (const char* file : {"C:\\Images\\a.bmp", "C:\\Images\\b.bmp", "C:\\Fonds\\c.bmp"}) {
      fake.files.AddFile(file, "BM");
    }
    program.Start();
  }

  TFondexMainForm& Main() { return program.MainForm(); }
  TOptBox& Options() { return program.OptBox(); }
  template <typename Widget>
  Widget& ViewOf(qt::FormView& view, const toolkit::Control& control) {
    return *static_cast<Widget*>(view.ViewOf(&control));
  }
  void ClickOn(QWidget& widget) { QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(4, 4)); }

  FakePlatform fake;
  qt::QtShellDrop drops;
  platform::posix::PathMapper paths{"/nonexistent-platform-directory"};
  platform::posix::PosixNativeNames names{paths};
  toolkit::Application app{fake.modalHost, fake.help};
  FondexProgram program{app, platform::Platform{fake.files, fake.profiles, fake.desktop, fake.clock,
                                                fake.screen, fake.help, drops, fake.collation}};
};

// The user's home folder, for as long as it lives.
class HomeFolder {
 public:
  explicit HomeFolder(const char* path) : saved_(qgetenv("HOME")) { qputenv("HOME", path); }
  ~HomeFolder() { qputenv("HOME", saved_); }
  HomeFolder(const HomeFolder&) = delete;
  HomeFolder& operator=(const HomeFolder&) = delete;

 private:
  QByteArray saved_;
};

TEST_F(ProgramWindowsTest, ADropAppliesTheFirstFileAndAddsTheDirectory) {
  qt::MainWindowView view(app, Main(), drops, names,
                          [this](toolkit::Message& message) { Main().WMDropFiles(message); });
  view.DropFiles({QUrl::fromLocalFile("/Images/a.bmp"), QUrl::fromLocalFile("/Images/b.bmp"),
                  QUrl::fromLocalFile("/Fonds")});
  EXPECT_THAT(fake.desktop.Requests(), ElementsAre("c:\\images\\a.bmp"));
  EXPECT_THAT(Main().DirListeBox.Items(), ElementsAre("c:\\fonds", "c:\\images"));
  EXPECT_EQ(view.windowTitle(), "Fondex2 : c:\\images\\a.bmp");
  EXPECT_EQ(drops.OpenDrops(), 0u);
}

TEST_F(ProgramWindowsTest, CaptionAndNameBoxAfterASetARefusalAndAPlainDesktop) {
  qt::FormView view(app, Main());
  auto& edit = ViewOf<QLineEdit>(view, Main().EditChoisiBMP);

  edit.setFocus();
  edit.selectAll();
  QTest::keyClicks(&edit, "C:\\Images\\B");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(view.windowTitle(), "Fondex2 : c:\\images\\b.bmp");
  EXPECT_EQ(edit.text(), "c:\\images\\b.bmp");

  fake.desktop.RefuseWhen([](const std::string& name) { return name.ends_with("a.bmp"); });
  edit.selectAll();
  QTest::keyClicks(&edit, "c:\\images\\a.bmp");
  QTest::keyClick(&edit, Qt::Key_Return);
  ASSERT_EQ(fake.modalHost.Boxes().size(), 1u);
  EXPECT_TRUE(fake.modalHost.Boxes()[0].request.text.starts_with("Windows n'a pu charger"));
  EXPECT_EQ(view.windowTitle(), "Fondex2 : c:\\images\\b.bmp");

  ClickOn(*view.ViewOf(&Main().BBtnNoWalp));
  EXPECT_EQ(view.windowTitle(), "Fondex2");
  EXPECT_EQ(edit.text(), "");
}

TEST_F(ProgramWindowsTest, ASystemNameTypedInTheNameBoxReachesTheHandlerAsTheProgramsName) {
  fake.files.AddFile("C:\\Fonds\\mer bleue.bmp", "BM");
  const HomeFolder home("/Fonds");
  qt::MainWindowView view(app, Main(), drops, names,
                          [this](toolkit::Message& message) { Main().WMDropFiles(message); });
  auto& edit = ViewOf<QLineEdit>(view, Main().EditChoisiBMP);
  const struct {
    const char* typed;
    const char* directory;
    const char* file;
  } cases[] = {
      {"/Images/a.bmp", "c:\\images", "a.bmp"},
      {"~/c", "c:\\fonds", "c.bmp"},
      {"file:///Fonds/mer%20bleue.bmp", "c:\\fonds", "mer bleue.bmp"},
      {"C:\\Images\\B", "c:\\images", "b.bmp"},  // the program's own form, as it always was
  };
  for (const auto& [typed, directory, file] : cases) {
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QTest::keyClick(&edit, Qt::Key_Return);
    const std::string wallpaper = std::string(directory) + "\\" + file;
    EXPECT_EQ(fake.desktop.Requests().back(), wallpaper) << typed;
    EXPECT_EQ(view.windowTitle().toStdString(), "Fondex2 : " + wallpaper) << typed;
    EXPECT_EQ(edit.text().toStdString(), wallpaper) << typed;
    const toolkit::ListBox& directories = Main().DirListeBox;
    ASSERT_GE(directories.ItemIndex(), 0) << typed;
    EXPECT_EQ(directories.Item(directories.ItemIndex()), directory) << typed;
    ASSERT_GE(Main().FichListeBox.ItemIndex(), 0) << typed;
    EXPECT_EQ(Main().FichListeBox.Item(Main().FichListeBox.ItemIndex()), file) << typed;
  }
  EXPECT_THAT(Main().DirListeBox.Items(), ElementsAre("c:\\fonds", "c:\\images"));
  EXPECT_THAT(fake.modalHost.Boxes(), IsEmpty());

  // Another machine's address is no name of this one: taken as it is, it names no file.
  edit.selectAll();
  QTest::keyClicks(&edit, "file://serveur/Images/a.bmp");
  QTest::keyClick(&edit, Qt::Key_Return);
  ASSERT_EQ(fake.modalHost.Boxes().size(), 1u);
  EXPECT_NE(fake.modalHost.Boxes()[0].request.text.find("file://serveur/images/a.bmp"),
            std::string::npos);
}

TEST_F(ProgramWindowsTest, LettersTypedInTheNameBoxStayText) {
  qt::FormView view(app, Main());
  auto& edit = ViewOf<QLineEdit>(view, Main().EditChoisiBMP);
  edit.setFocus();
  edit.clear();
  QTest::keyClicks(&edit, "hbrp ");
  EXPECT_EQ(edit.text(), "hbrp ");
  EXPECT_THAT(fake.modalHost.Dialogs(), IsEmpty());
  EXPECT_THAT(fake.desktop.Requests(), IsEmpty());
}

TEST_F(ProgramWindowsTest, CancelPutsTheOptionsBackButtonsIncluded) {
  Options().SetHasardTech(THasardTech::Successif);
  Options().SetHasardLieu(THasardLieu::RepSucc);
  qt::FormView view(app, Options());
  Options().Show();
  auto& global = ViewOf<QRadioButton>(view, Options().HasardGlobalRB);
  auto& succ = ViewOf<QRadioButton>(view, Options().SuccRepSuccRB);
  ASSERT_TRUE(succ.isChecked());

  ClickOn(global);
  ClickOn(*view.ViewOf(&Options().ChBAuto));
  EXPECT_TRUE(global.isChecked());
  EXPECT_TRUE(Options().ChBAuto.Checked());

  ClickOn(*view.ViewOf(&Options().CancelBtn));
  EXPECT_TRUE(succ.isChecked());
  EXPECT_FALSE(global.isChecked());
  EXPECT_EQ(Options().HasardTech(), THasardTech::Successif);
  EXPECT_FALSE(Options().ChBAuto.Checked());
  EXPECT_EQ(Options().ModalResult(), toolkit::mr::kCancel);
}

TEST_F(ProgramWindowsTest, TheSpinButtonStepsTheDelayBothWays) {
  qt::FormView view(app, Options());
  Options().ChBAuto.SetChecked(true);
  Options().Show();
  auto& spin = ViewOf<qt::SpinButtonView>(view, Options().SpBDelai);
  auto& delay = ViewOf<QLineEdit>(view, Options().EdDelai);
  const std::vector<std::string> up = {" 70", " 80"};
  for (const std::string& expected : up) {
    QTest::mouseClick(&spin.Up(), Qt::LeftButton);
    EXPECT_EQ(delay.text().toStdString(), expected);
  }
  Options().SetDelai(10);
  QTest::mouseClick(&spin.Up(), Qt::LeftButton);
  EXPECT_EQ(delay.text(), " 15");
  QTest::mouseClick(&spin.Down(), Qt::LeftButton);
  QTest::mouseClick(&spin.Down(), Qt::LeftButton);
  EXPECT_EQ(delay.text(), "  9");
}

TEST_F(ProgramWindowsTest, TheAddedPanelsAreDrawnAsTheHiddenFilesPanel) {
  qt::FormView view(app, Options());
  const TOptBox& o = Options();
  QWidget& cachesFrame = *view.ViewOf(&o.Bevel2);
  const auto& cachesTitle = ViewOf<QLabel>(view, o.Label2);
  const QWidget& cachesBox = *view.ViewOf(&o.ChBCaches);
  struct Panel {
    const toolkit::Bevel& frame;
    const toolkit::Label& title;
    const toolkit::Control& control;
  };
  int above = cachesFrame.geometry().bottom();
  for (const Panel& panel : {Panel{o.Bevel3, o.Label4, o.ChBAutresFormats},
                             Panel{o.BevelDisposition, o.LabelDisposition, o.DispositionListeBox},
                             Panel{o.BevelEcrans, o.LabelEcrans, o.ChBParEcran}}) {
    SCOPED_TRACE(panel.title.Caption());
    QWidget& frame = *view.ViewOf(&panel.frame);
    EXPECT_EQ(typeid(frame), typeid(cachesFrame));
    EXPECT_EQ(frame.x(), cachesFrame.x());
    EXPECT_EQ(frame.width(), cachesFrame.width());
    EXPECT_GT(frame.y(), above) << "below the one before";
    above = frame.geometry().bottom();

    const auto& title = ViewOf<QLabel>(view, panel.title);
    EXPECT_EQ(title.font(), cachesTitle.font());
    const QFontInfo shown(title.font());
    EXPECT_EQ(shown.pixelSize(), QFontInfo(cachesTitle.font()).pixelSize());
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(title.alignment(), cachesTitle.alignment());
    EXPECT_EQ(title.geometry().center().x(), cachesTitle.geometry().center().x());
    EXPECT_EQ(title.y() - frame.y(), cachesTitle.y() - cachesFrame.y());

    const QWidget& control = *view.ViewOf(&panel.control);
    EXPECT_EQ(control.x(), cachesBox.x()) << "the same indent";
    EXPECT_EQ(control.y() - frame.y(), cachesBox.y() - cachesFrame.y());
    const QFontInfo face(control.font()), cachesFace(cachesBox.font());
    EXPECT_EQ(face.family(), cachesFace.family());
    EXPECT_EQ(face.pixelSize(), cachesFace.pixelSize());
    EXPECT_EQ(face.bold(), cachesFace.bold());
    EXPECT_TRUE(frame.geometry().contains(control.geometry()));
  }
  EXPECT_EQ(typeid(*view.ViewOf(&o.ChBAutresFormats)), typeid(cachesBox));
}

// The six layouts show at once, and a click on one is the choice.
TEST_F(ProgramWindowsTest, TheLayoutListShowsEveryLineAndAClickChooses) {
  qt::FormView view(app, Options());
  Options().Show();
  auto& list = ViewOf<QListView>(view, Options().DispositionListeBox);
  QApplication::processEvents();
  ASSERT_EQ(list.model()->rowCount(), 6);
  for (int row = 0; row < 6; ++row) {
    EXPECT_TRUE(list.viewport()->rect().contains(list.visualRect(list.model()->index(row, 0))))
        << row;
  }
  EXPECT_EQ(list.model()->index(4, 0).data().toString(), QString::fromUtf8("Ajusté"));
  EXPECT_TRUE(list.selectionModel()->isRowSelected(0)) << "Comme le système";
  const QRect ajuste = list.visualRect(list.model()->index(4, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, ajuste.center());
  EXPECT_EQ(Options().Disposition(), options::TDisposition::Ajuste);
  Options().SetDisposition(options::TDisposition::Remplir);
  EXPECT_TRUE(list.selectionModel()->isRowSelected(5));
  Options().Hide();
}

}  // namespace
}  // namespace fondex::test
