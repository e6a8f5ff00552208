#include "qt/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace fondex::qt {

void CentreOnScreen(QWidget& window) {
  window.winId();  // the native window knows its frame
  const QMargins frame = window.windowHandle()->frameMargins();
  QRect outer(QPoint(), window.size().grownBy(frame));
  outer.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
  window.move(outer.topLeft());
}

}  // namespace fondex::qt
