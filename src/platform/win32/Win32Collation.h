#pragma once

#include <string_view>

#include "platform/Collation.h"

namespace fondex::platform::win32 {

// Names in the user's order, by the system's comparison for the user's locale with letter case
// ignored. Names here are in the ANSI code page. The system may also find names equal that differ
// by more than letter case (a character it ignores, say): those are then told apart by their
// lower-case forms, so that only names differing by letter case are the same name.
class Win32Collation : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
};

}  // namespace fondex::platform::win32
