#include "util/Checked.h"

#include "toolkit/Error.h"

namespace fondex::util {

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    throw Error("Integer overflow");
  }
  return sum;
}

void CheckRange(std::int64_t value, std::int64_t low, std::int64_t high) {
  if (value < low || value > high) {
    throw Error("Range check error");
  }
}

}  // namespace fondex::util
