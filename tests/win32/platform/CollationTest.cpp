#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Collation.h"

namespace fondex::platform::win32 {
namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

// Names in the ANSI code page, as the system's file calls give them.
TEST(Win32Collation, OnlyLetterCaseMakesTwoSpellingsOneName) {
  const Win32Collation names;
  const struct {
    std::string a;
    std::string b;
    int order;
  } cases[] = {
      // clang-format off
      {"\xC9T\xC9", "\xE9t\xE9", 0},  // ÉTÉ, été
      {"Ciel.BMP", "ciel.bmp", 0},
      {"ete", "\xE9t\xE9", -1},       // accents count, after the letters
      {"Ciel", "\xE9t\xE9", -1},      // C before é, as before e
      {"\xE9t\xE9", "z\350bre", -1},  // été before zèbre: not after every ASCII name
      {"\xC9t\xE9", "etf", -1},
      {"a", "ab", -1},
      {"", "a", -1},
      {"", "", 0},
      {"ab", "a\255b", -1},           // a soft hyphen, which the system may ignore, still counts
      // clang-format on
  };
  for (const auto& [a, b, order] : cases) {
    EXPECT_EQ(Sign(names.Compare(a, b)), order) << a << " / " << b;
    EXPECT_EQ(Sign(names.Compare(b, a)), -order) << b << " / " << a;
  }
}

}  // namespace
}  // namespace fondex::platform::win32
