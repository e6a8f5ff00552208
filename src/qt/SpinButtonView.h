#pragma once

#include <QAbstractButton>

#include "qt/ControlView.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"

namespace fondex::qt {

// One half of a spin button: an arrow that repeats while it is held down. It never takes the
// focus.
class SpinHalf : public QAbstractButton {
 public:
  SpinHalf(Qt::ArrowType arrow, const toolkit::SpinButton& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::ArrowType arrow_;
};

// A spin button: an up half over a down half, each running its handler on release and, while
// held, after the model's repeat delay and then at each repeat interval. Not a tab stop.
class SpinButtonView : public ControlView<QWidget, toolkit::SpinButton> {
 public:
  SpinButtonView(toolkit::Application& app, toolkit::SpinButton& model, QWidget* parent);

  SpinHalf& Up() { return up_; }
  SpinHalf& Down() { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayOutHalves();

  SpinHalf up_;
  SpinHalf down_;
};

}  // namespace fondex::qt
