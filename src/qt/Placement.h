#pragma once

#include <QWidget>

namespace fondex::qt {

// Moves a top-level window so that its outer frame is centred on the primary screen's work
// area; a frame that the window system has not told yet counts as none.
void CentreOnScreen(QWidget& window);

}  // namespace fondex::qt
