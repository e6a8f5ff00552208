#pragma once

#include <cstdint>

// Checked arithmetic for counts and table indexes: an overflow or an index out of range raises
// fondex::Error, never wraps.
namespace fondex::util {

// a + b; Error "Integer overflow" when it leaves the 32-bit range.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);

// Error "Range check error" unless low <= value <= high.
void CheckRange(std::int64_t value, std::int64_t low, std::int64_t high);

}  // namespace fondex::util
