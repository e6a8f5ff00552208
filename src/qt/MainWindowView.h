#pragma once

#include <QMimeData>
#include <QUrl>
#include <functional>

#include "platform/NativeNames.h"
#include "qt/FormView.h"
#include "qt/QtServices.h"

namespace fondex::qt {

// The main window: it follows the application's minimized state both ways, and while the form
// is registered as a drop target (DragAcceptFiles with the form's address) it takes files
// dropped on it and hands them to the program as a WM_DROPFILES message. A system name typed in
// an edit box that holds a file name becomes the program's name when Enter is pressed, before
// the box's handler hears the Enter.
class MainWindowView : public FormView {
 public:
  MainWindowView(toolkit::Application& app, toolkit::Form& form, QtShellDrop& drops,
                 const platform::NativeNames& names,
                 std::function<void(toolkit::Message&)> windowHandler);

  // The program's side of a drop of these local files.
  void DropFiles(const QList<QUrl>& urls);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool TakesDrop(const QMimeData* data) const;
  void TakeNativeName(QObject* watched, const QKeyEvent& key);
  void FollowMinimized();

  QtShellDrop& drops_;
  const platform::NativeNames& names_;
  std::function<void(toolkit::Message&)> windowHandler_;
  Binding minimized_;
};

}  // namespace fondex::qt
