#pragma once

#include <optional>
#include <string>
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
  // For the names it can give one cheaply, a key whose byte order agrees with this order: a
  // smaller key means an earlier name, and equal keys leave the answer to Compare. A large list
  // then sorts mostly by plain byte comparisons.
  virtual std::optional<std::string> SortKey(std::string_view /*name*/) const {
    return std::nullopt;
  }
};

}  // namespace fondex::platform
