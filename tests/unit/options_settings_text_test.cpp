#include <gtest/gtest.h>

#include <string>

#include "options/SettingsText.h"
#include "toolkit/Error.h"

namespace fondex::options {
namespace {

TEST(OptionsNumberRule, WholeNumbersKeepTheirSignAndOthersTheirLeadingDigits) {
  EXPECT_EQ(NumberValue("60"), 60);
  EXPECT_EQ(NumberValue("   60"), 60);
  EXPECT_EQ(NumberValue("-7"), -7);
  EXPECT_EQ(NumberValue("+12"), 12);
  EXPECT_EQ(NumberValue("$1e"), 30);
  EXPECT_EQ(NumberValue("$1E"), 30);
  EXPECT_EQ(NumberValue("45min"), 45);
  EXPECT_EQ(NumberValue("-45min"), 45);  // not wholly a number: the sign goes
  EXPECT_EQ(NumberValue("$2g"), 2);
  EXPECT_EQ(NumberValue("60 "), 60);
  EXPECT_EQ(NumberValue("abc"), 0);
  EXPECT_EQ(NumberValue(""), 0);
  EXPECT_EQ(NumberValue("   "), 0);
  EXPECT_EQ(NumberValue("-"), 0);
  EXPECT_EQ(NumberValue("$"), 0);
  EXPECT_EQ(NumberValue("1e3"), 1);  // no exponent, no decimal point
}

TEST(OptionsNumberRule, NumbersBeyondThirtyTwoBitsSaturateInsteadOfWrapping) {
  EXPECT_EQ(NumberValue("2147483647"), 2147483647);
  EXPECT_EQ(NumberValue("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(NumberValue("4294967356"), 2147483647);  // 2^32 + 60 would wrap to 60
  EXPECT_EQ(NumberValue("99999999999999999999"), 2147483647);
  EXPECT_EQ(NumberValue("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(NumberValue("99999999999999999999x"), 2147483647);
  EXPECT_EQ(NumberValue("$ffffffff"), 2147483647);  // not -1
  EXPECT_EQ(NumberValue("$10000003c"), 2147483647);
}

TEST(OptionsStrictIntegerRule, AcceptsOnlyWholeNumbersWithinThirtyTwoBits) {
  EXPECT_EQ(StrictIntegerValue("-50"), -50);
  EXPECT_EQ(StrictIntegerValue("  483"), 483);
  EXPECT_EQ(StrictIntegerValue("$1f4"), 500);
  EXPECT_EQ(StrictIntegerValue("-2147483648"), -2147483647 - 1);
  for (const std::string text : {"12px", "", "abc", "-", "$", "1 ", "2147483648", "-2147483649",
                                 "99999999999999999999", "$ffffffff"}) {
    SCOPED_TRACE(text);
    try {
      StrictIntegerValue(text);
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

TEST(OptionsBooleanRule, OnlyTheFourYesWordsAreTrue) {
  for (const char* yes : {"oui", "yes", "true", "1"}) {
    EXPECT_TRUE(ReadsAsTrue(yes)) << yes;
  }
  for (const char* no : {"non", "no", "false", "0", "", "vrai", "oui ", "2", "y"}) {
    EXPECT_FALSE(ReadsAsTrue(no)) << no;
  }
  EXPECT_STREQ(YesNoWord(true), "Oui");
  EXPECT_STREQ(YesNoWord(false), "Non");
}

TEST(OptionsDelaiText, RightAlignsInThreeCharacters) {
  EXPECT_EQ(DelaiText(60), " 60");
  EXPECT_EQ(DelaiText(5), "  5");
  EXPECT_EQ(DelaiText(0), "  0");
  EXPECT_EQ(DelaiText(360), "360");
}

}  // namespace
}  // namespace fondex::options
