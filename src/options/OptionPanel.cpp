#include "options/OptionPanel.h"

namespace fondex::options {

namespace {

constexpr int kLeft = 18;
constexpr int kWidth = 419;
constexpr int kGap = 11;
// The title is centred where the hidden-files title stands, a little left of the frame's middle.
constexpr toolkit::Bounds kTitle{22, 12, 398, 20};
constexpr int kControlLeft = 88;
constexpr int kControlTop = 41;
// Below the control, as below the hidden-files check box: its frame is 78 pixels high.
constexpr int kBelowControl = 78 - kControlTop - kCheckBoxHeight;

}  // namespace

void OptionPanel::LayOut(int top, const PanelDesign& design) const {
  frame.bounds = {kLeft, top, kWidth, kControlTop + design.controlHeight + kBelowControl};
  title.bounds = {kTitle.left, top + kTitle.top, kTitle.width, kTitle.height};
  title.font = kTitleFont;
  title.parentFont = false;
  title.centred = true;
  title.SetCaption(design.title);
  control.bounds = {kControlLeft, top + kControlTop, design.controlWidth, design.controlHeight};
  control.hint = design.hint;
  control.tabOrder = design.tabOrder;
}

int OptionPanel::NextTop() const {
  return frame.bounds.top + frame.bounds.height + kGap;
}

OptionPanel CheckBoxPanel(toolkit::Bevel& frame, toolkit::Label& title, toolkit::CheckBox& box,
                          std::string caption) {
  box.SetCaption(std::move(caption));
  return {frame, title, box};
}

}  // namespace fondex::options
