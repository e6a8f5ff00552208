#include "toolkit/Controls.h"

#include "toolkit/Form.h"

namespace fondex::toolkit {

void Label::SetCaption(std::string caption) {
  if (caption_ != caption) {
    caption_ = std::move(caption);
    NotifyChanged();
  }
}

void EditBox::SetText(std::string text) {
  if (text_ != text) {
    text_ = std::move(text);
    NotifyChanged();
  }
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) {
    return;
  }
  checked_ = checked;
  NotifyChanged();
  if (OnClick) {
    OnClick();
  }
}

void RadioButton::SetChecked(bool checked) {
  if (checked_ == checked) {
    return;
  }
  checked_ = checked;
  if (checked && Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      auto* radio = dynamic_cast<RadioButton*>(sibling);
      if (radio != nullptr && radio != this && radio->checked_) {
        radio->checked_ = false;
        radio->NotifyChanged();
      }
    }
  }
  NotifyChanged();
  if (checked && OnClick) {
    OnClick();
  }
}

namespace {

Form* OwningForm(Control* control) {
  while (control != nullptr && control->Kind() != ControlKind::kForm) {
    control = control->Parent();
  }
  return static_cast<Form*>(control);
}

}  // namespace

void BitButton::Click() {
  Form* form = OwningForm(this);
  if (form != nullptr && modalResult != mr::kNone) {
    form->SetModalResult(modalResult);
  }
  if (OnClick) {
    OnClick();
  }
}

}  // namespace fondex::toolkit
