#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Signal.h"

namespace fondex::toolkit {

// One line of the icon's menu: a command, or a separator (an empty caption).
struct NotifyMenuItem {
  std::string caption;
  bool checkable = false;
  bool checked = false;
  bool enabled = true;
};

// The program's icon in the desktop's notification area, with its tooltip and its menu. The
// view draws it while it is shown and tells whether the desktop has an area to show it in.
class NotifyIcon {
 public:
  bool Shown() const { return shown_; }
  void SetShown(bool shown);
  const std::string& Tip() const { return tip_; }
  void SetTip(std::string tip);
  const std::vector<NotifyMenuItem>& Menu() const { return menu_; }
  void SetMenu(std::vector<NotifyMenuItem> menu);
  // A checkable line follows a check box: its state, and whether it may be used.
  void SetItemState(std::size_t index, bool checked, bool enabled);

  // Whether the icon is shown and the desktop has a notification area to show it in now: only
  // then may a window hide into it.
  bool InArea() const { return shown_ && AreaExists && AreaExists(); }

  // The view's.
  std::function<bool()> AreaExists;
  // The user's clicks: on the icon, and on a line of its menu.
  std::function<void()> OnClick;
  std::function<void(std::size_t index)> OnMenuClick;
  Signal<> Changed;

 private:
  bool shown_ = false;
  std::string tip_;
  std::vector<NotifyMenuItem> menu_;
};

}  // namespace fondex::toolkit
