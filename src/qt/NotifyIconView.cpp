#include "qt/NotifyIconView.h"

#include <QApplication>

#include "qt/Text.h"

namespace fondex::qt {

NotifyIconView::NotifyIconView(toolkit::Application& app, toolkit::NotifyIcon& icon)
    : app_(app), icon_(icon), changed_(icon.Changed, [this] { Follow(); }) {
  tray_.setIcon(QApplication::windowIcon());
  tray_.setContextMenu(&menu_);
  QObject::connect(&tray_, &QSystemTrayIcon::activated,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     if (reason == QSystemTrayIcon::Trigger && icon_.OnClick) {
                       app_.Dispatch([this] { icon_.OnClick(); });
                     }
                   });
  // Asked when the window would hide into the icon: the area may have come or gone since.
  icon_.AreaExists = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  BuildMenu();
  Follow();
}

NotifyIconView::~NotifyIconView() {
  icon_.AreaExists = nullptr;
}

void NotifyIconView::BuildMenu() {
  const std::vector<toolkit::NotifyMenuItem>& items = icon_.Menu();
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].caption.empty()) {
      menu_.addSeparator();
      continue;
    }
    QAction* action = menu_.addAction(ToQt(items[index].caption));
    QObject::connect(action, &QAction::triggered, [this, index] {
      if (icon_.OnMenuClick) {
        app_.Dispatch([this, index] { icon_.OnMenuClick(index); });
      }
    });
  }
}

void NotifyIconView::Follow() {
  const std::vector<toolkit::NotifyMenuItem>& items = icon_.Menu();
  const QList<QAction*> actions = menu_.actions();
  for (qsizetype index = 0; index < actions.size() && index < std::ssize(items); ++index) {
    const toolkit::NotifyMenuItem& item = items[static_cast<std::size_t>(index)];
    actions[index]->setCheckable(item.checkable);
    actions[index]->setChecked(item.checked);
    actions[index]->setEnabled(item.enabled);
  }
  tray_.setToolTip(ToQt(icon_.Tip()));
  tray_.setVisible(icon_.Shown());
}

}  // namespace fondex::qt
