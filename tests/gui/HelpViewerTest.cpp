#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "GuiTest.h"
#include "qt/HelpViewer.h"

namespace fondex::test {
namespace {

const char* const kHelpText =
    "[1] La fen\xC3\xAAtre principale\n"
    "Choisissez un papier peint.\n"
    "\n"
    "Ou laissez Fondex choisir.\n"
    "[3]\n"
    "Les options.\n";

TEST(HelpSectionTest, SectionsRunFromTheirHeaderToTheNextOne) {
  const QString text = QString::fromUtf8(kHelpText);
  const auto first = qt::FindHelpSection(text, 1);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->title, QString::fromUtf8("La fenêtre principale"));
  EXPECT_EQ(first->text, "Choisissez un papier peint.\n\nOu laissez Fondex choisir.");
  const auto third = qt::FindHelpSection(text, 3);
  ASSERT_TRUE(third.has_value());
  EXPECT_EQ(third->title, "");
  EXPECT_EQ(third->text, "Les options.");
  EXPECT_FALSE(qt::FindHelpSection(text, 2).has_value());
  EXPECT_FALSE(qt::FindHelpSection(text, 31).has_value());
}

class HelpViewerTest : public GuiTest {
 protected:
  HelpViewerTest() {
    QFile file(folder.filePath("Fondex.hlp"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kHelpText);
  }
  std::string HelpFile() { return paths.ToWindows(folder.filePath("Fondex.hlp").toStdString()); }

  QTemporaryDir folder;
  qt::QtHelpViewer viewer{names};
};

TEST_F(HelpViewerTest, ShowsTheContextsSectionOrSaysWhatIsMissing) {
  EXPECT_TRUE(viewer.ShowHelp(HelpFile(), 1));
  ASSERT_NE(viewer.Window(), nullptr);
  EXPECT_TRUE(viewer.Window()->isVisible());
  EXPECT_EQ(viewer.Window()->windowTitle(), QString::fromUtf8("La fenêtre principale"));
  EXPECT_TRUE(viewer.Window()->toPlainText().startsWith("Choisissez"));

  EXPECT_FALSE(viewer.ShowHelp(HelpFile(), 2));
  EXPECT_TRUE(viewer.Window()->toPlainText().contains("contexte 2"));
  EXPECT_FALSE(viewer.ShowHelp("C:\\nulle\\part\\Fondex.hlp", 1));
  EXPECT_TRUE(viewer.Window()->toPlainText().contains("introuvable"));
}

TEST_F(HelpViewerTest, HelpOpenedFromAModalWindowBelongsToIt) {
  QWidget* owner = nullptr;
  WhenModal([&](QWidget& box) {
    viewer.ShowHelp(HelpFile(), 3);
    owner = viewer.Window()->parentWidget();
    EXPECT_TRUE(viewer.Window()->isWindow());
    EXPECT_EQ(owner, &box);
    box.close();
  });
  toolkit::MessageBoxRequest request;
  request.buttons = {toolkit::MessageButton::kOK};
  host.ShowMessageBox(request);
  EXPECT_NE(owner, nullptr);
  // The box is gone and its help window with it; the next help has a window of its own.
  EXPECT_TRUE(viewer.ShowHelp(HelpFile(), 1));
  EXPECT_EQ(viewer.Window()->parentWidget(), nullptr);
}

}  // namespace
}  // namespace fondex::test
