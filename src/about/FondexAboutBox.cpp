#include "about/FondexAboutBox.h"

namespace fondex {

namespace {

const toolkit::Font kAboutFont{"MS Sans Serif", -15, true};

void PlaceLabel(toolkit::Label& label, toolkit::Bounds bounds, std::string caption) {
  label.bounds = bounds;
  label.font = kAboutFont;
  label.SetCaption(std::move(caption));
}

}  // namespace

TAboutBox::TAboutBox() : toolkit::Form("AboutBox") {
  SetCaption("A propos de Fondex");
  bounds = {0, 0, 569, 326};
  borderStyle = toolkit::BorderStyle::kDialog;
  minimizeBox = false;
  position = toolkit::FormPosition::kScreenCenter;
  helpContext = 4;

  ProgramIcon.bounds = {404, 56, 141, 145};
  ProgramIcon.picture = "programme";
  ProgramIcon.stretch = true;

  Panel1.bounds = {29, 16, 351, 229};
  Panel1.raisedInner = true;
  Panel1.loweredOuter = true;

  PlaceLabel(ProductName, {138, 25, 64, 16}, "FONDEX");
  PlaceLabel(Version, {151, 56, 41, 16}, "v 2.01");
  PlaceLabel(Comments, {15, 113, 314, 32}, "Un changeur de papiers peints pour Windows 95");
  Comments.wordWrap = true;

  // The OK kind without its usual cancel role: Escape leaves the box open.
  OKButton.bounds = {32, 266, 513, 34};
  OKButton.font = kAboutFont;
  OKButton.buttonKind = toolkit::BitButtonKind::kOK;
  OKButton.caption = "OK";
  OKButton.modalResult = toolkit::mr::kOK;
  OKButton.isDefault = true;
  OKButton.isCancel = false;
  OKButton.tabOrder = 0;
  SetActiveControl(&OKButton);
}

}  // namespace fondex
