#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fondex::platform::posix {

// The text of a private-profile file: "[section]" lines open sections, "key=value" lines hold
// entries, lines starting with ";" are comments. Section and key names match ignoring ASCII
// case; blanks around names and values do not count. Bytes are compared as they are.

// Value of the first entry of the key in a section of that name; nothing when there is none.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// The text with the key set: its first entry rewritten in place, else a new entry after the last
// line of the first section of that name, else a new section at the end. Every other line is
// kept byte for byte; new lines end like the text's first line (CR LF for an empty text).
std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace fondex::platform::posix
