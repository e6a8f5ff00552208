#include "support/FormCensus.h"

#include "about/FondexAboutBox.h"
#include "mainwindow/Fondexmf.h"
#include "options/FondexOptions.h"

namespace fondex::test {

std::vector<toolkit::Form*> ProgramForms(FondexProgram& program) {
  return {&program.MainForm(), &program.AboutBox(), &program.OptBox()};
}

std::vector<const toolkit::Control*> ControlsOf(const toolkit::Control& parent) {
  std::vector<const toolkit::Control*> controls;
  for (const toolkit::Control* child : parent.Children()) {
    controls.push_back(child);
    const std::vector<const toolkit::Control*> inner = ControlsOf(*child);
    controls.insert(controls.end(), inner.begin(), inner.end());
  }
  return controls;
}

}  // namespace fondex::test
