#pragma once

#include <QMenu>
#include <QSystemTrayIcon>

#include "qt/Binding.h"
#include "toolkit/Application.h"
#include "toolkit/NotifyIcon.h"

namespace fondex::qt {

// The program's icon in the notification area: Qt's StatusNotifierItem with its D-Bus menu
// where the desktop has a watcher, the older system tray otherwise. It shows while the model
// says so, with the model's tooltip and menu.
class NotifyIconView {
 public:
  NotifyIconView(toolkit::Application& app, toolkit::NotifyIcon& icon);
  ~NotifyIconView();
  NotifyIconView(const NotifyIconView&) = delete;
  NotifyIconView& operator=(const NotifyIconView&) = delete;

  const QMenu& Menu() const { return menu_; }

 private:
  void Follow();
  void BuildMenu();

  toolkit::Application& app_;
  toolkit::NotifyIcon& icon_;
  QMenu menu_;
  QSystemTrayIcon tray_;
  Binding changed_;
};

}  // namespace fondex::qt
