// Every caption of the program's three windows fits its control whole, in the face that stands
// in for the designed one, at the designed pixel height and with the designed geometry.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>

#include "mainwindow/FondexProgram.h"
#include "qt/ControlViews.h"
#include "qt/FormView.h"
#include "qt/QtServices.h"
#include "support/FakePlatform.h"
#include "toolkit/Controls.h"

namespace fondex::test {
namespace {

// The room a control leaves for its caption, as its style lays it out.
int TextRoom(const toolkit::Control& control, QWidget& view) {
  const QStyle& style = *view.style();
  switch (control.Kind()) {
    case toolkit::ControlKind::kLabel:
      return control.bounds.width;
    case toolkit::ControlKind::kCheckBox:
    case toolkit::ControlKind::kRadioButton: {
      QStyleOptionButton option;
      option.initFrom(&view);
      option.text = static_cast<QAbstractButton&>(view).text();
      const bool radio = control.Kind() == toolkit::ControlKind::kRadioButton;
      return style
          .subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                          &option, &view)
          .width();
    }
    case toolkit::ControlKind::kBitButton: {
      const auto& button = static_cast<QPushButton&>(view);
      QStyleOptionButton option;
      option.initFrom(&view);
      option.text = button.text();
      option.icon = button.icon();
      option.iconSize = button.iconSize();
      constexpr int kIconSpacing = 4;
      return style.subElementRect(QStyle::SE_PushButtonContents, &option, &view).width() -
             button.iconSize().width() - kIconSpacing;
    }
    case toolkit::ControlKind::kGroupBox: {
      constexpr int kTitleInset = 8 + 2 * 2;
      return view.width() - 2 * kTitleInset;
    }
    default:
      return -1;
  }
}

QRect Designed(const toolkit::Control& control) {
  const toolkit::Bounds& b = control.bounds;
  return {b.left, b.top, b.width, b.height};
}

void ExpectRoomForLabel(const toolkit::Control& parent, const toolkit::Control& label, int width) {
  const QRect text(label.bounds.left, label.bounds.top, width, label.bounds.height);
  EXPECT_TRUE(QRect(0, 0, parent.bounds.width, parent.bounds.height).contains(text))
      << label.Name() << " leaves its window";
  for (const toolkit::Control* other : parent.Children()) {
    const bool frame = other->Kind() == toolkit::ControlKind::kBevel ||
                       other->Kind() == toolkit::ControlKind::kPanel;
    if (other != &label && !frame) {
      EXPECT_FALSE(text.intersects(Designed(*other)))
          << label.Name() << " runs onto " << other->Name();
    }
  }
}

QString CaptionOf(QWidget& view) {
  if (auto* label = qobject_cast<QLabel*>(&view)) {
    return label->text();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(&view)) {
    return button->text();
  }
  if (auto* group = qobject_cast<QGroupBox*>(&view)) {
    return group->title();
  }
  return {};
}

void ExpectCaptionsFit(const qt::FormView& window, const toolkit::Control& parent, int& checked) {
  for (const toolkit::Control* control : parent.Children()) {
    ExpectCaptionsFit(window, *control, checked);
    QWidget& view = *window.ViewOf(control);
    const QString caption = CaptionOf(view);
    const int room = TextRoom(*control, view);
    if (caption.isEmpty() || room < 0) {
      continue;
    }
    ++checked;
    const std::string name = control->Name();
    const QFont& font = view.font();
    // Chosen by name, not left to the system's substitutes, and really there.
    EXPECT_EQ(font.family(), "Liberation Sans") << name;
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans") << name;
    EXPECT_EQ(font.pixelSize(), std::abs(qt::FontOf(*control).pixelSize())) << name;
    EXPECT_TRUE(font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched)
        << name << " narrowed to " << font.stretch() << " %";
    EXPECT_EQ(view.pos(), QPoint(control->bounds.left, control->bounds.top)) << name;
    const auto* label = dynamic_cast<const toolkit::Label*>(control);
    if (label == nullptr) {
      EXPECT_LE(QFontMetrics(font).horizontalAdvance(caption), room)
          << name << ": \"" << caption.toStdString() << "\"";
    } else if (label->wordWrap) {
      // Wrapped, the text takes no more lines than designed.
      const int lines =
          static_cast<QLabel&>(view).heightForWidth(room) / QFontMetrics(font).lineSpacing();
      EXPECT_LE(lines, control->bounds.height / font.pixelSize()) << name;
    } else {
      // A label is as wide as its text: it may grow, but not onto another control.
      ExpectRoomForLabel(parent, *control, QFontMetrics(font).horizontalAdvance(caption));
    }
  }
}

class CaptionsFitTest : public ::testing::Test {
 protected:
  void SetUp() override { program.Start(); }

  FakePlatform fake;
  qt::QtShellDrop drops;
  toolkit::Application app{fake.modalHost, fake.help};
  FondexProgram program{app, platform::Platform{fake.files, fake.profiles, fake.desktop, fake.clock,
                                                fake.screen, fake.help, drops, fake.collation}};
};

TEST_F(CaptionsFitTest, EveryCaptionOfTheThreeWindowsFitsItsControl) {
  const struct {
    toolkit::Form& form;
    int captions;
  } windows[] = {{program.MainForm(), 4}, {program.OptBox(), 26}, {program.AboutBox(), 4}};
  for (const auto& window : windows) {
    const qt::FormView view(app, window.form);
    EXPECT_EQ(view.size(), QSize(window.form.bounds.width, window.form.bounds.height));
    int checked = 0;
    ExpectCaptionsFit(view, window.form, checked);
    EXPECT_EQ(checked, window.captions) << window.form.Name();
  }
  // The layout list's lines fit its width, its frame and the text's margins aside.
  const qt::FormView options(app, program.OptBox());
  const toolkit::ListBox& layouts = program.OptBox().DispositionListeBox;
  const QFontMetrics metrics(options.ViewOf(&layouts)->font());
  for (const std::string& line : layouts.Items()) {
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(line)), layouts.bounds.width - 12)
        << line;
  }
}

}  // namespace
}  // namespace fondex::test
