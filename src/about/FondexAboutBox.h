#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

namespace fondex {

// The about box: a dialog with no code of its own.
class TAboutBox : public toolkit::Form {
 public:
  TAboutBox();

  toolkit::Image ProgramIcon{"ProgramIcon", this};
  toolkit::Panel Panel1{"Panel1", this};
  toolkit::Label ProductName{"ProductName", &Panel1};
  toolkit::Label Version{"Version", &Panel1};
  toolkit::Label Comments{"Comments", &Panel1};
  toolkit::BitButton OKButton{"OKButton", this};
};

}  // namespace fondex
