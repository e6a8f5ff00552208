#include "qt/MainWindowView.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <algorithm>

#include "qt/ControlViews.h"
#include "qt/KeyCodes.h"
#include "qt/Text.h"
#include "qt/TypedNames.h"

namespace fondex::qt {

MainWindowView::MainWindowView(toolkit::Application& app, toolkit::Form& form, QtShellDrop& drops,
                               const platform::NativeNames& names,
                               std::function<void(toolkit::Message&)> windowHandler)
    : FormView(app, form),
      drops_(drops),
      names_(names),
      windowHandler_(std::move(windowHandler)),
      minimized_(app.MinimizedChanged, [this] { FollowMinimized(); }) {
  setAcceptDrops(true);
}

void MainWindowView::FollowMinimized() {
  if (App().Minimized() && !isMinimized()) {
    showMinimized();
  } else if (!App().Minimized() && isMinimized()) {
    showNormal();
  }
}

// The user minimizes or restores the window through the window system.
void MainWindowView::changeEvent(QEvent* event) {
  FormView::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || isMinimized() == App().Minimized()) {
    return;
  }
  App().Dispatch([this] {
    if (isMinimized()) {
      App().Minimize();
    } else {
      App().Restore();
    }
  });
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    TakeNativeName(watched, static_cast<const QKeyEvent&>(*event));
  }
  return FormView::eventFilter(watched, event);
}

// The program's own routines know only its Windows-shaped names, as drops and file dialogs give
// them.
void MainWindowView::TakeNativeName(QObject* watched, const QKeyEvent& key) {
  auto* box = dynamic_cast<EditBoxView*>(watched);
  char typed = 0;
  if (box == nullptr || !box->ControlModel().holdsFileName || !TypedCharacter(key, typed) ||
      typed != toolkit::vk::kReturn) {
    return;
  }
  toolkit::EditBox& model = box->ControlModel();
  if (const std::optional<std::string> native = NativeNameTyped(ToQt(model.Text()))) {
    App().Dispatch([this, &model, &native] { model.SetText(names_.ToProgram(*native)); });
  }
}

bool MainWindowView::TakesDrop(const QMimeData* data) const {
  if (!drops_.Accepts(&Model()) || data == nullptr) {
    return false;
  }
  const QList<QUrl> urls = data->urls();
  return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void MainWindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (TakesDrop(event->mimeData())) {
    event->acceptProposedAction();
  }
}

void MainWindowView::dragMoveEvent(QDragMoveEvent* event) {
  if (TakesDrop(event->mimeData())) {
    event->acceptProposedAction();
  }
}

void MainWindowView::dropEvent(QDropEvent* event) {
  if (!TakesDrop(event->mimeData())) {
    return;
  }
  event->acceptProposedAction();
  DropFiles(event->mimeData()->urls());
}

void MainWindowView::DropFiles(const QList<QUrl>& urls) {
  std::vector<std::string> names;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) {
      names.push_back(names_.ToProgram(QFile::encodeName(url.toLocalFile()).toStdString()));
    }
  }
  toolkit::Message message;
  message.message = toolkit::kWmDropFiles;
  message.wParam = drops_.AddDrop(std::move(names));
  App().Dispatch([this, &message] { App().DeliverQueued(message, windowHandler_); });
}

}  // namespace fondex::qt
