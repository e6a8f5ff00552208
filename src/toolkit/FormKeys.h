#pragma once

#include <functional>
#include <vector>

#include "toolkit/Controls.h"

// How a form's controls share the keyboard, whichever window system shows them.
namespace fondex::toolkit {

// The kinds that take the keyboard focus.
bool TakesFocus(ControlKind kind);

// The form's tab stops in the order Tab walks them: siblings by tab order, a container's stops
// in its place among its siblings.
std::vector<const Control*> TabChain(const Control& form);

// The button that Enter (the focused button, else the first default one) or Escape (the first
// cancel one) presses among the controls; only buttons the user could click now count.
// nullptr for none, or for another key.
BitButton* DialogButtonFor(int virtualKey, Control* focused, const std::vector<Control*>& controls,
                           const std::function<bool(const Control&)>& clickable);

// The standard kinds bring their own image when the button names none; empty for none.
std::string GlyphOf(const BitButton& button);

}  // namespace fondex::toolkit
