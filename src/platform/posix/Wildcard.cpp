#include "platform/posix/Wildcard.h"

#include <string>

#include "platform/posix/AsciiCase.h"

namespace fondex::platform::posix {
namespace {

bool Glob(std::string_view pattern, std::string_view name) {
  constexpr auto kNone = std::string_view::npos;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = kNone;  // pattern position after the last "*" seen
  std::size_t starName = 0;    // name position that "*" has consumed up to
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = ++p;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (starAt != kNone) {
      p = starAt;
      n = ++starName;
    } else {
      return false;
    }
  }
  return pattern.find_first_not_of('*', p) == kNone;
}

}  // namespace

bool HasWildcards(std::string_view pattern) {
  return pattern.find_first_of("*?") != std::string_view::npos;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  if (Glob(pattern, name)) {
    return true;
  }
  return name.find('.') == std::string_view::npos && Glob(pattern, std::string(name) + '.');
}

}  // namespace fondex::platform::posix
