#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fondex::platform::posix::desktop {

// The members of one JSON object whose values are strings (unescaped, in UTF-8) or bare words
// (true, false, null, numbers, as written); members holding objects or arrays are left out.
using JsonMembers = std::map<std::string, std::string, std::less<>>;

// The objects of a JSON array, as the compositors' tools list their outputs; nothing when the
// text is not such an array.
std::optional<std::vector<JsonMembers>> ArrayOfObjects(std::string_view json);

}  // namespace fondex::platform::posix::desktop
