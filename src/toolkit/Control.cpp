#include "toolkit/Control.h"

namespace fondex::toolkit {

Control::Control(ControlKind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_ != nullptr) {
    parent_->children_.push_back(this);
  }
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ != enabled) {
    enabled_ = enabled;
    NotifyChanged();
  }
}

void Control::SetVisible(bool visible) {
  if (visible_ != visible) {
    visible_ = visible;
    NotifyChanged();
  }
}

int Control::EffectiveHelpContext() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (control->helpContext != 0) {
      return control->helpContext;
    }
  }
  return 0;
}

}  // namespace fondex::toolkit
