#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace fondex::toolkit {

enum class BorderStyle { kSingle, kDialog };
enum class FormPosition { kDefault, kScreenCenter };

// A top-level window. Its controls are members of the derived form and register themselves as
// children; bounds hold the client area.
class Form : public Control {
 public:
  explicit Form(std::string name) : Control(ControlKind::kForm, std::move(name), nullptr) {
    SetVisible(false);
  }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Position of the window's outer frame on the screen.
  int Left() const { return left_; }
  int Top() const { return top_; }
  void SetLeft(int left);
  void SetTop(int top);
  bool PositionSet() const { return positionSet_; }
  // Outer size: client area plus the frame that the window system adds.
  int Width() const { return bounds.width + frameWidth; }
  int Height() const { return bounds.height + frameHeight; }
  int frameWidth = 8;
  int frameHeight = 31;

  BorderStyle borderStyle = BorderStyle::kSingle;
  bool minimizeBox = true;
  bool maximizeBox = false;
  FormPosition position = FormPosition::kDefault;
  bool keyPreview = false;
  int pixelsPerInch = 120;

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);

  Control* ActiveControl() const { return activeControl_; }
  void SetActiveControl(Control* control);

  // Runs OnShow when the form becomes visible.
  void Show();
  void Hide();
  // Shows the form and puts its window above the others, with the keyboard. The token, when
  // there is one, is what the launcher of a later start gave it to be let to the front.
  void BringToFront(std::string activationToken = {});
  // The launcher's token while BroughtToFront runs; empty otherwise.
  const std::string& ActivationToken() const { return activationToken_; }

  // Asks whether the form may close; true unless OnCloseQuery refuses.
  bool CloseQuery();
  // Closes the window as its close box does: the view asks CloseQuery first.
  void Close() { CloseRequested.Emit(); }

  // The screen the window stands on, as the window system names it; "" when it cannot say.
  std::string ScreenName() const { return screenProbe ? screenProbe() : std::string(); }
  // Set by the view, which knows where the window is.
  std::function<std::string()> screenProbe;

  std::function<void()> OnShow;
  // Runs once the window first shows, and whenever it comes to stand on another screen.
  std::function<void()> OnScreenChange;
  std::function<void(bool& canClose)> OnCloseQuery;

  // The user's key on the form, after the focused control (when keyPreview) or for itself.
  Signal<> ModalResultChanged;
  Signal<> BroughtToFront;
  Signal<> CloseRequested;

 private:
  std::string caption_;
  std::string activationToken_;
  int left_ = 0;
  int top_ = 0;
  bool positionSet_ = false;
  int modalResult_ = 0;
  Control* activeControl_ = nullptr;
};

}  // namespace fondex::toolkit
