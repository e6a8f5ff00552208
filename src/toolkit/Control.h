#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Signal.h"

namespace fondex::toolkit {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Font {
  std::string name = "System";
  int height = -10;  // negative: character height in pixels
  bool bold = false;
};

// Modifier keys held during a key event.
struct ShiftState {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// Virtual-key codes the program looks at; a letter key has the code of its capital.
namespace vk {
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kDelete = 46;
constexpr int kF1 = 112;
}  // namespace vk

enum class ControlKind {
  kForm,
  kLabel,
  kEditBox,
  kCheckBox,
  kRadioButton,
  kListBox,
  kFileListBox,
  kBitButton,
  kSpinButton,
  kBevel,
  kPanel,
  kGroupBox,
  kImage,
};

using KeyHandler = std::function<void(int key, ShiftState shift)>;

// What every control shares: design-time look (set while the form is built, before a view
// exists) and run-time state whose changes are announced through Changed.
class Control {
 public:
  Control(ControlKind kind, std::string name, Control* parent);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  // Design-time properties.
  Bounds bounds;
  std::string hint;
  int helpContext = 0;
  Font font;
  int tabOrder = -1;  // -1: not a tab stop
  bool parentFont = false;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // The help context of this control or of the nearest enclosing control that has one.
  int EffectiveHelpContext() const;

  KeyHandler OnKeyDown;
  KeyHandler OnKeyUp;

  // Any run-time property changed; views re-read the model.
  Signal<> Changed;

 protected:
  void NotifyChanged() { Changed.Emit(); }

 private:
  ControlKind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  bool enabled_ = true;
  bool visible_ = true;
};

}  // namespace fondex::toolkit
