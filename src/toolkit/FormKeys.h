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

// A run of sibling radio buttons in the chain is a group: one tab stop, at its checked button or
// at its first when none is checked, inside which the arrow keys move the choice in tab order.
// The chain's controls that Tab stops at.
std::vector<const Control*> TabStops(const std::vector<const Control*>& chain);
// True when the chain's control at the index begins a group of its own: any control but a radio
// button that follows a sibling radio button.
bool StartsGroup(const std::vector<const Control*>& chain, std::size_t index);

// Where an arrow key moves the choice from the chain's control at the index: the next (or the
// previous) control of its group that can be chosen now, wrapping round; itself for none.
const Control* ArrowTarget(const std::vector<const Control*>& chain, std::size_t index,
                           bool forward, const std::function<bool(const Control&)>& choosable);

// The button that Enter (the focused button, else the first default one) or Escape (the first
// cancel one) presses among the controls; only buttons the user could click now count.
// nullptr for none, or for another key.
BitButton* DialogButtonFor(int virtualKey, Control* focused, const std::vector<Control*>& controls,
                           const std::function<bool(const Control&)>& clickable);

// The standard kinds bring their own image when the button names none; empty for none.
std::string GlyphOf(const BitButton& button);

}  // namespace fondex::toolkit
