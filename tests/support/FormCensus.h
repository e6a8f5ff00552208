#pragma once

#include <vector>

#include "mainwindow/FondexProgram.h"
#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace fondex::test {

// The program's three forms, in the order they are created.
std::vector<toolkit::Form*> ProgramForms(FondexProgram& program);

// The controls of a form, or of a control, at every depth.
std::vector<const toolkit::Control*> ControlsOf(const toolkit::Control& parent);

}  // namespace fondex::test
