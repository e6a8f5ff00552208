#include "qt/SpinButtonView.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleOption>

namespace fondex::qt {

SpinHalf::SpinHalf(Qt::ArrowType arrow, const toolkit::SpinButton& model, QWidget* parent)
    : QAbstractButton(parent), arrow_(arrow) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRepeat(true);
  setAutoRepeatDelay(model.repeatDelayMs);
  setAutoRepeatInterval(model.repeatIntervalMs);
}

void SpinHalf::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), isDown(), 1, &palette().brush(QPalette::Button));
  QStyleOption option;
  option.initFrom(this);
  const int side = std::min(width(), height()) - 4;
  option.rect = QRect(0, 0, side, side);
  option.rect.moveCenter(rect().center() + (isDown() ? QPoint(1, 1) : QPoint()));
  const QStyle::PrimitiveElement element =
      arrow_ == Qt::UpArrow ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
  style()->drawPrimitive(element, &option, &painter, this);
}

SpinButtonView::SpinButtonView(toolkit::Application& app, toolkit::SpinButton& model,
                               QWidget* parent)
    : ControlView(model, parent), up_(Qt::UpArrow, model, this), down_(Qt::DownArrow, model, this) {
  setFocusPolicy(Qt::NoFocus);
  connect(&up_, &QAbstractButton::clicked, this, [this, &app] {
    if (model_.OnUpClick) {
      app.Dispatch([this] { model_.OnUpClick(); });
    }
  });
  connect(&down_, &QAbstractButton::clicked, this, [this, &app] {
    if (model_.OnDownClick) {
      app.Dispatch([this] { model_.OnDownClick(); });
    }
  });
  LayOutHalves();
  Refresh();
}

void SpinButtonView::resizeEvent(QResizeEvent* /*event*/) {
  LayOutHalves();
}

void SpinButtonView::LayOutHalves() {
  const int upper = height() / 2;
  up_.setGeometry(0, 0, width(), upper);
  down_.setGeometry(0, upper, width(), height() - upper);
}

}  // namespace fondex::qt
