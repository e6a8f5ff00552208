#pragma once

#include <QFont>
#include <QWidget>

#include "qt/Binding.h"
#include "toolkit/Control.h"

namespace fondex::qt {

// The face that stands in for every designed one ("MS Sans Serif", "System", "Arial"): it has
// Arial's widths, for which the forms' geometry was designed, and the project installs it.
QString StandInFamily();

// The font a control shows: its own, or its parent's when it takes the parent's font, in the
// stand-in face at the designed pixel height.
QFont FontOf(const toolkit::Control& control);

// Design-time look that every control shares: client position and size, font and hint.
void ApplyDesign(QWidget& widget, const toolkit::Control& control);

// Narrows the widget's font, down to 70 %, so that the text fits in the room: the faces that
// stand in for the designed ones are often wider.
void FitText(QWidget& widget, const QString& text, int room);

// Run-time state that every control shares: enabled and visible.
void ApplyState(QWidget& widget, const toolkit::Control& control);

// A Qt widget that renders one control model and follows its changes for as long as it lives.
template <class QtWidget, class Model>
class ControlView : public QtWidget {
 public:
  ControlView(Model& model, QWidget* parent)
      : QtWidget(parent), model_(model), changed_(model.Changed, [this] { Refresh(); }) {
    ApplyDesign(*this, model);
  }

  Model& ControlModel() const { return model_; }

 protected:
  // Re-reads the model; each view calls it once at the end of its construction.
  void Refresh() {
    ApplyState(*this, model_);
    ShowContent();
  }
  // The kind's own properties (caption, text, check mark, ...).
  virtual void ShowContent() {}

  Model& model_;

 private:
  Binding changed_;
};

}  // namespace fondex::qt
