#include "options/OptionPanel.h"

namespace fondex::options {

namespace {

constexpr int kLeft = 18;
constexpr int kWidth = 419;
constexpr int kHeight = 78;
constexpr int kGap = 11;
// The title is centred where the hidden-files title stands, a little left of the frame's middle.
constexpr toolkit::Bounds kTitle{22, 12, 398, 20};
constexpr toolkit::Bounds kBox{88, 41, 0, 21};

}  // namespace

void OptionPanel::LayOut(int top, const PanelDesign& design) const {
  frame.bounds = {kLeft, top, kWidth, kHeight};
  title.bounds = {kTitle.left, top + kTitle.top, kTitle.width, kTitle.height};
  title.font = kTitleFont;
  title.parentFont = false;
  title.centred = true;
  title.SetCaption(design.title);
  box.bounds = {kBox.left, top + kBox.top, design.boxWidth, kBox.height};
  box.SetCaption(design.caption);
  box.hint = design.hint;
  box.tabOrder = design.tabOrder;
}

int OptionPanel::NextTop() const {
  return frame.bounds.top + frame.bounds.height + kGap;
}

}  // namespace fondex::options
