#include "qt/MessageBoxDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include "qt/Placement.h"
#include "qt/Text.h"

namespace fondex::qt {

namespace {

constexpr int kIconSide = 32;

// The icon of a kind; none for a custom box.
QIcon IconOf(toolkit::MessageKind kind, const QStyle& style) {
  switch (kind) {
    case toolkit::MessageKind::kWarning:
      return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case toolkit::MessageKind::kError:
      return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case toolkit::MessageKind::kInformation:
      return style.standardIcon(QStyle::SP_MessageBoxInformation);
    case toolkit::MessageKind::kConfirmation:
      return style.standardIcon(QStyle::SP_MessageBoxQuestion);
    case toolkit::MessageKind::kCustom:
      break;
  }
  return {};
}

QRect ScreenArea() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}

// The text on as few lines as it needs, none wider than half the screen.
QLabel* TextLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  const int natural = label->fontMetrics().boundingRect(QRect(), 0, text).width() + 1;
  label->setFixedWidth(std::min(natural, ScreenArea().width() / 2));
  return label;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const toolkit::MessageBoxRequest& request,
                                   std::function<void(int)> showHelp)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      request_(request),
      showHelp_(std::move(showHelp)) {
  setWindowTitle(ToQt(request.title));
  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  const QIcon icon = IconOf(request.kind, *style());
  if (!icon.isNull()) {
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(kIconSide, kIconSide));
    grid->addWidget(iconLabel, 0, 0, Qt::AlignTop);
  }
  grid->addWidget(TextLabel(ToQt(request.text), this), 0, 1, Qt::AlignVCenter);
  auto* row = new QHBoxLayout;
  grid->addLayout(row, 1, 0, 1, 2);
  AddButtons(*row);
}

void MessageBoxDialog::AddButtons(QHBoxLayout& line) {
  line.addStretch();
  for (const toolkit::MessageButton kind : request_.buttons) {
    auto* button = new QPushButton(ToQt(toolkit::ButtonCaption(kind)), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, kind] { Press(kind); });
    line.addWidget(button);
    buttons_.emplace_back(kind, button);
  }
  line.addStretch();
  // The default button has the focus when the box opens, else the first one.
  QPushButton* first = request_.defaultButton ? Button(*request_.defaultButton) : nullptr;
  if (first == nullptr && !buttons_.empty()) {
    first = buttons_.front().second;
  }
  if (first != nullptr) {
    first->setDefault(request_.defaultButton.has_value());
    first->setFocus();
  }
}

QPushButton* MessageBoxDialog::Button(toolkit::MessageButton button) const {
  for (const auto& [kind, widget] : buttons_) {
    if (kind == button) {
      return widget;
    }
  }
  return nullptr;
}

void MessageBoxDialog::Press(toolkit::MessageButton button) {
  if (button == toolkit::MessageButton::kHelp) {
    if (showHelp_) {
      showHelp_(request_.helpContext);
    }
    return;
  }
  result_ = toolkit::ButtonResult(button);
  accept();
}

void MessageBoxDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      auto* focused = qobject_cast<QPushButton*>(focusWidget());
      if (focused == nullptr && request_.defaultButton) {
        focused = Button(*request_.defaultButton);
      }
      if (focused != nullptr) {
        focused->click();
      }
      return;
    }
    case Qt::Key_Escape:
      if (QPushButton* cancel = request_.cancelButton ? Button(*request_.cancelButton) : nullptr) {
        cancel->click();
      }
      return;  // without a cancel button Escape does nothing, not even close the box
    default:
      QDialog::keyPressEvent(event);
  }
}

int MessageBoxDialog::Run() {
  // The style's fonts and margins come with polishing: the size is known only after it.
  ensurePolished();
  layout()->activate();
  adjustSize();
  CentreOnScreen(*this);
  exec();
  return result_;
}

}  // namespace fondex::qt
