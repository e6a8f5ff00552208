#pragma once

#include <string_view>

namespace fondex::platform::posix {

bool HasWildcards(std::string_view pattern);

// True when the name matches the search pattern: "*" any run of bytes, "?" one byte, ASCII case
// ignored. A name without a dot also matches as if it ended with one, so that "*.*" and "*."
// find names that have no extension.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace fondex::platform::posix
