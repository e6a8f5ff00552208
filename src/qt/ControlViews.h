#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "qt/ControlView.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"

namespace fondex::qt {

class LabelView : public ControlView<QLabel, toolkit::Label> {
 public:
  LabelView(toolkit::Label& model, QWidget* parent);

 private:
  void ShowContent() override;
};

// An edit box: what the user types becomes the model's text; each typed character first goes
// to the model's key-press handler, which may swallow it.
class EditBoxView : public ControlView<QLineEdit, toolkit::EditBox> {
 public:
  EditBoxView(toolkit::Application& app, toolkit::EditBox& model, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowContent() override;
  toolkit::Application& app_;
};

// A check box or a radio button. The model decides the check mark: a click anywhere on the
// control goes to the model (a check box toggles, a radio button checks itself and unchecks its
// siblings), which the view then shows; Qt's own exclusivity stays off.
template <typename QtButton, typename Model>
class CheckableView : public ControlView<QtButton, Model> {
 public:
  CheckableView(toolkit::Application& app, Model& model, QWidget* parent);

 protected:
  void nextCheckState() override;
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }

 private:
  void ShowContent() override;
  toolkit::Application& app_;
};

using CheckBoxView = CheckableView<QCheckBox, toolkit::CheckBox>;
using RadioButtonView = CheckableView<QRadioButton, toolkit::RadioButton>;

// A push button with a glyph; Enter and Escape are the form's business, not the button's.
class BitButtonView : public ControlView<QPushButton, toolkit::BitButton> {
 public:
  BitButtonView(toolkit::Application& app, toolkit::BitButton& model, QWidget* parent);
};

// A bevel (a lowered box) or a panel (raised inner and lowered outer edges, either optional).
class FrameView : public ControlView<QWidget, toolkit::Control> {
 public:
  FrameView(toolkit::Control& model, bool lowered, bool raisedInner, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool lowered_;
  bool raisedInner_;
};

// A group box; its children are placed relative to it. Its frame runs through the middle of
// its title, as the designed one did: the children placed near its top stay inside the frame.
class GroupBoxView : public ControlView<QGroupBox, toolkit::GroupBox> {
 public:
  GroupBoxView(toolkit::GroupBox& model, QWidget* parent);

  // Where the frame's top edge lies, from the top of the box.
  int FrameTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class ImageView : public ControlView<QLabel, toolkit::Image> {
 public:
  ImageView(toolkit::Image& model, QWidget* parent);
};

// The view of any child control, built under the parent widget; containers come without
// their children, which the caller builds inside them.
QWidget* CreateControlView(toolkit::Application& app, toolkit::Control& control, QWidget* parent);

}  // namespace fondex::qt
