#pragma once

#include <string>

#include "toolkit/Controls.h"

namespace fondex::options {

// The bold face of the dialog's area titles.
inline const toolkit::Font kTitleFont{"MS Sans Serif", -17, true};

// What one framed area of the options dialog holds: its title, and its check box's caption,
// hint, width and place in the tab order.
struct PanelDesign {
  std::string title;
  std::string caption;
  std::string hint;
  int boxWidth;
  int tabOrder;
};

// A framed area of the options dialog, drawn as the hidden-files one is: a bevel, a bold title
// centred on the same axis, and a check box at the same indent. Areas stand one below the other
// in the dialog's left column.
struct OptionPanel {
  toolkit::Bevel& frame;
  toolkit::Label& title;
  toolkit::CheckBox& box;

  // Lays the area out with its top at `top`.
  void LayOut(int top, const PanelDesign& design) const;
  // The top of the next area below this one.
  int NextTop() const;
};

}  // namespace fondex::options
