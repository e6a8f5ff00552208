#include "qt/ControlViews.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <type_traits>

#include "qt/Glyphs.h"
#include "qt/KeyCodes.h"
#include "qt/ListViews.h"
#include "qt/SpinButtonView.h"
#include "qt/Text.h"
#include "toolkit/Error.h"
#include "toolkit/FormKeys.h"

namespace fondex::qt {

namespace {

// The width that a check box's or radio button's mark and the space after it take.
int IndicatorRoom(const QWidget& button, bool radio) {
  constexpr int kFrame = 4;
  const QStyle& style = *button.style();
  return style.pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                           nullptr, &button) +
         style.pixelMetric(
             radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
             &button) +
         kFrame;
}

}  // namespace

LabelView::LabelView(toolkit::Label& model, QWidget* parent) : ControlView(model, parent) {
  setTextFormat(Qt::PlainText);
  setAlignment((model.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  Refresh();
}

// A label sizes itself to its text, as the designed one did with its own font: a wider line
// grows to the right, wrapped text grows downwards.
void LabelView::ShowContent() {
  setWordWrap(model_.wordWrap);
  setText(ToQt(model_.Caption()));
  const toolkit::Bounds& design = model_.bounds;
  if (model_.wordWrap) {
    resize(design.width, std::max(design.height, heightForWidth(design.width)));
  } else {
    resize(std::max(design.width, fontMetrics().horizontalAdvance(text()) + 2 * margin()),
           std::max(design.height, fontMetrics().height()));
  }
}

EditBoxView::EditBoxView(toolkit::Application& app, toolkit::EditBox& model, QWidget* parent)
    : ControlView(model, parent), app_(app) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    app_.Dispatch([this, &text] { model_.SetText(FromQt(text)); });
  });
  Refresh();
}

void EditBoxView::ShowContent() {
  setReadOnly(model_.readOnly);
  const QString text = ToQt(model_.Text());
  if (text != this->text()) {
    setText(text);
  }
}

void EditBoxView::keyPressEvent(QKeyEvent* event) {
  char typed = 0;
  if (!model_.OnKeyPress || !TypedCharacter(*event, typed)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char original = typed;
  app_.Dispatch([this, &typed] { model_.OnKeyPress(typed); });
  if (typed == 0) {
    event->accept();  // swallowed by the handler
  } else if (typed == toolkit::vk::kReturn || typed == toolkit::vk::kEscape) {
    event->ignore();  // left to the form's default and cancel buttons
  } else if (typed != original && !isReadOnly()) {
    insert(QString(QChar(static_cast<unsigned char>(typed))));
    event->accept();
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

template <typename QtButton, typename Model>
CheckableView<QtButton, Model>::CheckableView(toolkit::Application& app, Model& model,
                                              QWidget* parent)
    : ControlView<QtButton, Model>(model, parent), app_(app) {
  this->setAutoExclusive(false);
  this->Refresh();
}

template <typename QtButton, typename Model>
void CheckableView<QtButton, Model>::nextCheckState() {
  app_.Dispatch([this] {
    if constexpr (std::is_same_v<Model, toolkit::RadioButton>) {
      this->model_.SetChecked(true);
    } else {
      this->model_.Toggle();
    }
  });
  this->Refresh();
}

template <typename QtButton, typename Model>
void CheckableView<QtButton, Model>::ShowContent() {
  this->setText(ToQt(this->model_.Caption()));
  FitText(*this, this->text(),
          this->width() - IndicatorRoom(*this, std::is_same_v<Model, toolkit::RadioButton>));
  this->setChecked(this->model_.Checked());
}

template class CheckableView<QCheckBox, toolkit::CheckBox>;
template class CheckableView<QRadioButton, toolkit::RadioButton>;

namespace {

constexpr int kGlyphMargin = 8;
constexpr int kSmallestGlyph = 12;
constexpr int kLargestGlyph = 24;

}  // namespace

BitButtonView::BitButtonView(toolkit::Application& app, toolkit::BitButton& model, QWidget* parent)
    : ControlView(model, parent) {
  setText(ToQt(model.caption));
  setIcon(GlyphIcon(toolkit::GlyphOf(model)));
  const int side = std::clamp(std::min(model.bounds.width, model.bounds.height) - kGlyphMargin,
                              kSmallestGlyph, kLargestGlyph);
  setIconSize(QSize(side, side));
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this,
          [this, &app] { app.Dispatch([this] { model_.Click(); }); });
  Refresh();
}

FrameView::FrameView(toolkit::Control& model, bool lowered, bool raisedInner, QWidget* parent)
    : ControlView(model, parent), lowered_(lowered), raisedInner_(raisedInner) {
  Refresh();
}

void FrameView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QRect edge = rect();
  if (lowered_) {
    qDrawShadePanel(&painter, edge, palette(), true, 1);
    edge.adjust(1, 1, -1, -1);
  }
  if (raisedInner_) {
    qDrawShadePanel(&painter, edge, palette(), false, 1);
  }
}

GroupBoxView::GroupBoxView(toolkit::GroupBox& model, QWidget* parent) : ControlView(model, parent) {
  setTitle(ToQt(model.caption));
  Refresh();
}

int GroupBoxView::FrameTop() const {
  return fontMetrics().height() / 2;
}

void GroupBoxView::paintEvent(QPaintEvent* /*event*/) {
  constexpr int kTitleLeft = 8;
  constexpr int kTitlePadding = 2;
  QPainter painter(this);
  qDrawShadeRect(&painter, rect().adjusted(0, FrameTop(), 0, 0), palette(), true, 1);
  const QRect title(kTitleLeft, 0,
                    fontMetrics().horizontalAdvance(this->title()) + 2 * kTitlePadding,
                    fontMetrics().height());
  painter.fillRect(title, palette().window());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(title, Qt::AlignCenter, this->title());
}

ImageView::ImageView(toolkit::Image& model, QWidget* parent) : ControlView(model, parent) {
  // Not stretched, the picture keeps its designed size in the control's top-left corner.
  constexpr int kNaturalSide = 116;
  const QSize size = model.stretch ? QSize(model.bounds.width, model.bounds.height)
                                   : QSize(kNaturalSide, kNaturalSide);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setPixmap(GlyphPixmap(model.picture, size));
  Refresh();
}

QWidget* CreateControlView(toolkit::Application& app, toolkit::Control& control, QWidget* parent) {
  using toolkit::ControlKind;
  switch (control.Kind()) {
    case ControlKind::kLabel:
      return new LabelView(static_cast<toolkit::Label&>(control), parent);
    case ControlKind::kEditBox:
      return new EditBoxView(app, static_cast<toolkit::EditBox&>(control), parent);
    case ControlKind::kCheckBox:
      return new CheckBoxView(app, static_cast<toolkit::CheckBox&>(control), parent);
    case ControlKind::kRadioButton:
      return new RadioButtonView(app, static_cast<toolkit::RadioButton&>(control), parent);
    case ControlKind::kListBox:
      return new ListBoxView(app, static_cast<toolkit::ListBox&>(control), parent);
    case ControlKind::kFileListBox:
      return new FileListBoxView(app, static_cast<toolkit::FileListBox&>(control), parent);
    case ControlKind::kBitButton:
      return new BitButtonView(app, static_cast<toolkit::BitButton&>(control), parent);
    case ControlKind::kSpinButton:
      return new SpinButtonView(app, static_cast<toolkit::SpinButton&>(control), parent);
    case ControlKind::kBevel:
      return new FrameView(control, true, false, parent);
    case ControlKind::kPanel: {
      auto& panel = static_cast<toolkit::Panel&>(control);
      return new FrameView(control, panel.loweredOuter, panel.raisedInner, parent);
    }
    case ControlKind::kGroupBox:
      return new GroupBoxView(static_cast<toolkit::GroupBox&>(control), parent);
    case ControlKind::kImage:
      return new ImageView(static_cast<toolkit::Image&>(control), parent);
    case ControlKind::kForm:
      break;
  }
  throw Error("Pépin : une fenêtre ne peut pas être le contrôle d'une autre");
}

}  // namespace fondex::qt
