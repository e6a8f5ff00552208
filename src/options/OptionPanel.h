#pragma once

#include <string>

#include "toolkit/Controls.h"

namespace fondex::options {

// The bold face of the dialog's area titles.
inline const toolkit::Font kTitleFont{"MS Sans Serif", -17, true};

// The height of a check box in the dialog.
inline constexpr int kCheckBoxHeight = 21;

// What one framed area of the options dialog holds: its title, and its control's hint, size
// and place in the tab order.
struct PanelDesign {
  std::string title;
  std::string hint;
  int controlWidth;
  int tabOrder;
  int controlHeight = kCheckBoxHeight;
};

// A framed area of the options dialog, drawn as the hidden-files one is: a bevel, a bold title
// centred on the same axis, and one control (a check box, a list) at the same indent; the frame
// grows with the control. Areas stand one below the other in the dialog's left column.
struct OptionPanel {
  toolkit::Bevel& frame;
  toolkit::Label& title;
  toolkit::Control& control;

  // Lays the area out with its top at `top`.
  void LayOut(int top, const PanelDesign& design) const;
  // The top of the next area below this one.
  int NextTop() const;
};

// The area of one check box, which the caption names.
OptionPanel CheckBoxPanel(toolkit::Bevel& frame, toolkit::Label& title, toolkit::CheckBox& box,
                          std::string caption);

}  // namespace fondex::options
