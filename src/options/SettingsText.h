#pragma once

#include <cstdint>
#include <string>

// How the settings file's values read and write as text.
namespace fondex::options {

// The boolean rule: "oui", "yes", "true" and "1" (already lower-cased) are true, anything
// else is false.
bool ReadsAsTrue(const std::string& lowered);

// "Oui" or "Non".
const char* YesNoWord(bool value);

// The number rule. Leading blanks, then an optional "+" or "-", or instead a "$" for
// hexadecimal digits. A text that is wholly a number gives that number with its sign; any
// other text gives the digits before its first non-digit, unsigned (0 when there are none).
// A number beyond the 32-bit range saturates at the nearest bound, so it stays out of range
// for every later check instead of wrapping into it.
std::int32_t NumberValue(const std::string& text);

// The strict integer rule: the same conversion, but a text that is not wholly a number, or
// whose number leaves the 32-bit range, raises Error "'<text>' is not a valid integer value".
std::int32_t StrictIntegerValue(const std::string& text);

// The delay right-aligned in three characters: " 60", "  5", "360".
std::string DelaiText(std::int32_t minutes);

}  // namespace fondex::options
