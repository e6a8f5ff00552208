#include "toolkit/NotifyIcon.h"

namespace fondex::toolkit {

void NotifyIcon::SetShown(bool shown) {
  if (shown_ != shown) {
    shown_ = shown;
    Changed.Emit();
  }
}

void NotifyIcon::SetTip(std::string tip) {
  if (tip_ != tip) {
    tip_ = std::move(tip);
    Changed.Emit();
  }
}

void NotifyIcon::SetMenu(std::vector<NotifyMenuItem> menu) {
  menu_ = std::move(menu);
  Changed.Emit();
}

void NotifyIcon::SetItemState(std::size_t index, bool checked, bool enabled) {
  NotifyMenuItem& item = menu_.at(index);
  if (item.checked != checked || item.enabled != enabled) {
    item.checked = checked;
    item.enabled = enabled;
    Changed.Emit();
  }
}

}  // namespace fondex::toolkit
