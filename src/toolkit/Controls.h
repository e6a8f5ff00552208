#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace fondex::toolkit {

class Label : public Control {
 public:
  Label(std::string name, Control* parent)
      : Control(ControlKind::kLabel, std::move(name), parent) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool wordWrap = false;
  bool centred = false;  // each line centred in the label's width, else from its left

 private:
  std::string caption_;
};

class EditBox : public Control {
 public:
  EditBox(std::string name, Control* parent)
      : Control(ControlKind::kEditBox, std::move(name), parent) {}
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  bool readOnly = false;
  // The user types file names in it: a front end whose system names are not the program's
  // gives the key-press handler of an Enter the program's name of a system name typed there.
  bool holdsFileName = false;

  // A character typed by the user; the handler may consume it by setting it to 0.
  std::function<void(char& key)> OnKeyPress;

 private:
  std::string text_;
};

// A check box: a state change, by the user or by code, runs OnClick.
class CheckBox : public Control {
 public:
  CheckBox(std::string name, Control* parent)
      : Control(ControlKind::kCheckBox, std::move(name), parent) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Toggle() { SetChecked(!checked_); }  // the user's click
  std::function<void()> OnClick;

 private:
  std::string caption_;
  bool checked_ = false;
};

// A radio button; buttons with the same parent exclude each other. Checking one, by the user
// or by code, unchecks its siblings and runs its OnClick.
class RadioButton : public Control {
 public:
  RadioButton(std::string name, Control* parent)
      : Control(ControlKind::kRadioButton, std::move(name), parent) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  std::function<void()> OnClick;

 private:
  std::string caption_;
  bool checked_ = false;
};

enum class BitButtonKind { kCustom, kOK, kCancel, kHelp, kRetry };

// Modal results of the buttons and forms.
namespace mr {
constexpr int kNone = 0;
constexpr int kOK = 1;
constexpr int kCancel = 2;
constexpr int kRetry = 4;
}  // namespace mr

class BitButton : public Control {
 public:
  BitButton(std::string name, Control* parent)
      : Control(ControlKind::kBitButton, std::move(name), parent) {}
  std::string caption;
  BitButtonKind buttonKind = BitButtonKind::kCustom;
  int modalResult = mr::kNone;
  bool isDefault = false;  // Enter presses it
  bool isCancel = false;   // Escape presses it
  std::string glyph;       // resource name of the image
  int numGlyphs = 1;       // 2: a second image for the disabled state

  // The button's click: sets the form's modal result first, then runs OnClick.
  void Click();
  std::function<void()> OnClick;
};

class SpinButton : public Control {
 public:
  SpinButton(std::string name, Control* parent)
      : Control(ControlKind::kSpinButton, std::move(name), parent) {}
  std::function<void()> OnUpClick;
  std::function<void()> OnDownClick;
  int repeatDelayMs = 400;
  int repeatIntervalMs = 100;
};

class Bevel : public Control {
 public:
  Bevel(std::string name, Control* parent)
      : Control(ControlKind::kBevel, std::move(name), parent) {}
};

class Panel : public Control {
 public:
  Panel(std::string name, Control* parent)
      : Control(ControlKind::kPanel, std::move(name), parent) {}
  bool raisedInner = true;
  bool loweredOuter = true;
};

class GroupBox : public Control {
 public:
  GroupBox(std::string name, Control* parent)
      : Control(ControlKind::kGroupBox, std::move(name), parent) {}
  std::string caption;
};

class Image : public Control {
 public:
  Image(std::string name, Control* parent)
      : Control(ControlKind::kImage, std::move(name), parent) {}
  std::string picture;  // resource name
  bool stretch = true;
};

}  // namespace fondex::toolkit
