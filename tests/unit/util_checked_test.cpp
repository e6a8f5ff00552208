#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "toolkit/Error.h"
#include "util/Checked.h"

namespace fondex::util {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

TEST(CheckedArithmetic, AddRaisesInsteadOfWrapping) {
  EXPECT_EQ(CheckedAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(CheckedAdd(kMin, kMax), -1);
  EXPECT_EQ(ErrorOf([] { CheckedAdd(kMax, 1); }), "Integer overflow");
  EXPECT_EQ(ErrorOf([] { CheckedAdd(kMin, -1); }), "Integer overflow");
}

TEST(CheckedArithmetic, RangeCheckIncludesBothBounds) {
  EXPECT_NO_THROW(CheckRange(0, 0, 1000));
  EXPECT_NO_THROW(CheckRange(1000, 0, 1000));
  EXPECT_EQ(ErrorOf([] { CheckRange(1001, 0, 1000); }), "Range check error");
  EXPECT_EQ(ErrorOf([] { CheckRange(-1, 0, kMax); }), "Range check error");
  EXPECT_EQ(ErrorOf([] { CheckRange(std::int64_t{kMax} + 1, 0, kMax); }), "Range check error");
}

}  // namespace
}  // namespace fondex::util
