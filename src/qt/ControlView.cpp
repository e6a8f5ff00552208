#include "qt/ControlView.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>

#include "qt/Text.h"

namespace fondex::qt {

QString StandInFamily() {
  return QStringLiteral("Liberation Sans");
}

QFont FontOf(const toolkit::Control& control) {
  const toolkit::Control* source = &control;
  while (source->parentFont && source->Parent() != nullptr) {
    source = source->Parent();
  }
  const toolkit::Font& design = source->font;
  QFont font(StandInFamily());
  font.setStyleHint(QFont::SansSerif);
  // A negative height is the character height in pixels; a positive one, the whole cell's,
  // which is close enough at these sizes.
  font.setPixelSize(std::max(1, std::abs(design.height)));
  font.setBold(design.bold);
  return font;
}

void ApplyDesign(QWidget& widget, const toolkit::Control& control) {
  widget.setObjectName(QString::fromStdString(control.Name()));
  const toolkit::Bounds& bounds = control.bounds;
  widget.setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  widget.setFont(FontOf(control));
  widget.setToolTip(ToQt(control.hint));
}

void FitText(QWidget& widget, const QString& text, int room) {
  constexpr int kNarrowest = 70;
  QFont font = widget.font();
  font.setStretch(QFont::Unstretched);
  const int needed = QFontMetrics(font).horizontalAdvance(text);
  if (needed > room && room > 0) {
    font.setStretch(std::max(kNarrowest, room * 100 / needed));
  }
  widget.setFont(font);
}

void ApplyState(QWidget& widget, const toolkit::Control& control) {
  widget.setEnabled(control.Enabled());
  if (widget.isHidden() == control.Visible()) {
    widget.setHidden(!control.Visible());
  }
}

}  // namespace fondex::qt
