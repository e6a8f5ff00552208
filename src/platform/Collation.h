#pragma once

#include <string_view>

namespace fondex::platform {

// The user's order of names: by the rules of the locale, letter case ignored (accented capitals
// included) but accents not. Names are UTF-8; bytes that are not UTF-8 still compare, as bytes.
class Collation {
 public:
  virtual ~Collation() = default;
  // Negative, zero or positive as a sorts before, with or after b. Zero exactly when a and b are
  // the same name ignoring case: "ÉTÉ" and "été" are, "ete" and "été" are not.
  virtual int Compare(std::string_view a, std::string_view b) const = 0;
};

}  // namespace fondex::platform
