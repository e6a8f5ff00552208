#pragma once

#include <string>
#include <string_view>

#include "platform/Collation.h"

namespace fondex::test {

// A small stand-in for the user's order of names: the accented letters of Latin-1 in UTF-8 (é,
// È, ç, ...) sort with their base letter, case ignored; between names with the same base letters
// the accents decide, case still ignored. Any other byte sorts by its value.
class FakeCollation : public platform::Collation {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
};

}  // namespace fondex::test
