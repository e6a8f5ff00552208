#include "toolkit/Form.h"

namespace fondex::toolkit {

void Form::SetCaption(std::string caption) {
  if (caption_ != caption) {
    caption_ = std::move(caption);
    NotifyChanged();
  }
}

void Form::SetLeft(int left) {
  positionSet_ = true;
  if (left_ != left) {
    left_ = left;
    NotifyChanged();
  }
}

void Form::SetTop(int top) {
  positionSet_ = true;
  if (top_ != top) {
    top_ = top;
    NotifyChanged();
  }
}

void Form::SetModalResult(int result) {
  modalResult_ = result;
  ModalResultChanged.Emit();
}

void Form::SetActiveControl(Control* control) {
  if (activeControl_ != control) {
    activeControl_ = control;
    NotifyChanged();
  }
}

void Form::Show() {
  if (Visible()) {
    return;
  }
  SetVisible(true);
  if (OnShow) {
    OnShow();
  }
}

void Form::Hide() {
  SetVisible(false);
}

void Form::BringToFront(std::string activationToken) {
  Show();
  activationToken_ = std::move(activationToken);
  BroughtToFront.Emit();
  activationToken_.clear();
}

bool Form::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) {
    OnCloseQuery(canClose);
  }
  return canClose;
}

}  // namespace fondex::toolkit
