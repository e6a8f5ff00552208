// Prints each form of the program, one a line: its name, the width and height of its client
// area and its number of controls. scripts/screenshots keeps these beside the pictures it takes
// of the forms, and the GUI tests compare the forms with them.
#include <iostream>

#include "support/FakePlatform.h"
#include "support/FormCensus.h"

int main() {
  fondex::test::FakePlatform fake;
  fondex::toolkit::Application app{fake.modalHost, fake.help};
  fondex::FondexProgram program{app, fake.Platform()};
  program.Start();
  for (const fondex::toolkit::Form* form : fondex::test::ProgramForms(program)) {
    std::cout << form->Name() << ' ' << form->bounds.width << ' ' << form->bounds.height << ' '
              << fondex::test::ControlsOf(*form).size() << '\n';
  }
  program.Finish();
}
