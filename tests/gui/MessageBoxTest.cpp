#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "GuiTest.h"
#include "qt/MessageBoxDialog.h"
#include "util/Messages.h"

namespace fondex::test {
namespace {

using toolkit::MessageButton;

QStringList ButtonTexts(QWidget& box) {
  QStringList texts;
  for (const QPushButton* button : box.findChildren<QPushButton*>()) {
    texts << button->text();
  }
  return texts;
}

class MessageBoxTest : public GuiTest {};

TEST_F(MessageBoxTest, InformationBoxIgnoresEscapeAndClosesOnEnter) {
  bool openAfterEscape = false;
  QString title;
  QStringList buttons;
  WhenModal([&](QWidget& box) {
    title = box.windowTitle();
    buttons = ButtonTexts(box);
    QTest::keyClick(&KeyTarget(box), Qt::Key_Escape);
    QApplication::processEvents();
    openAfterEscape = box.isVisible();
    QTest::keyClick(&KeyTarget(box), Qt::Key_Return);
  });
  util::ShowInfo(app, "Aucun papier peint dans ce répertoire");
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(title, "Information");
  EXPECT_EQ(buttons, QStringList{"&Yes"});
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MessageBoxTest, QuestionGivesYesOnEnterNoOnEscapeAndTwoForTheCloseBox) {
  WhenModal([](QWidget& box) { QTest::keyClick(&KeyTarget(box), Qt::Key_Enter); });
  EXPECT_EQ(util::AskYesNo(app, "Changer le papier peint ?"), 6);

  WhenModal([](QWidget& box) { QTest::keyClick(&KeyTarget(box), Qt::Key_Escape); });
  EXPECT_EQ(util::AskYesNo(app, "Changer le papier peint ?"), 7);

  WhenModal([](QWidget& box) { box.close(); });
  EXPECT_EQ(util::AskYesNo(app, "Changer le papier peint ?"), 2);

  // Enter presses the button that has the focus, not always the default one.
  WhenModal([](QWidget& box) {
    QTest::keyClick(&KeyTarget(box), Qt::Key_Tab);
    QTest::keyClick(&KeyTarget(box), Qt::Key_Return);
  });
  EXPECT_EQ(util::AskYesNo(app, "Changer le papier peint ?"), 7);
}

TEST_F(MessageBoxTest, ErrorBoxClosesOnEnterAndEscapeThroughItsOnlyButton) {
  QString title;
  WhenModal([&](QWidget& box) {
    title = box.windowTitle();
    QTest::keyClick(&KeyTarget(box), Qt::Key_Return);
  });
  util::ShowError(app, "Fichier introuvable");
  EXPECT_EQ(title, "Error");

  WhenModal([](QWidget& box) { QTest::keyClick(&KeyTarget(box), Qt::Key_Escape); });
  util::ShowWarning(app, "Répertoire introuvable");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MessageBoxTest, BoxShowsButtonsInOrderWithTheirResultsAndWrapsLongText) {
  toolkit::MessageBoxRequest request;
  request.title = "Fondex2";
  request.kind = toolkit::MessageKind::kCustom;
  request.text = std::string(400, 'x') + " " + std::string(400, 'y');
  request.buttons = {MessageButton::kAbort, MessageButton::kRetry, MessageButton::kIgnore,
                     MessageButton::kHelp};
  request.helpContext = 3;
  int helpRequests = 0;
  qt::MessageBoxDialog box(request, [&](int context) { helpRequests += context; });

  EXPECT_EQ(ButtonTexts(box), (QStringList{"&Abort", "&Retry", "&Ignore", "&Help"}));
  box.adjustSize();
  const auto* text = box.findChild<QLabel*>();
  ASSERT_NE(text, nullptr);
  EXPECT_LE(text->width(), QGuiApplication::primaryScreen()->availableGeometry().width() / 2);
  EXPECT_GT(text->height(), text->fontMetrics().height());  // wrapped onto several lines
  EXPECT_EQ(box.findChildren<QLabel*>().size(), 1);         // a custom box has no icon

  WhenModal([&](QWidget&) {
    box.Button(MessageButton::kHelp)->click();
    box.Button(MessageButton::kRetry)->click();
  });
  EXPECT_EQ(box.Run(), 4);
  EXPECT_EQ(helpRequests, 3);
}

TEST_F(MessageBoxTest, BoxIsCentredOnTheScreenWithTheKindsIcon) {
  QPoint centre;
  int labels = 0;
  WhenModal([&](QWidget& box) {
    centre = box.frameGeometry().center();
    labels = static_cast<int>(box.findChildren<QLabel*>().size());
    box.close();
  });
  util::ShowWarning(app, "Attention");
  const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((centre - screen).manhattanLength(), 2);
  EXPECT_EQ(labels, 2);  // the icon and the text
}

}  // namespace
}  // namespace fondex::test
