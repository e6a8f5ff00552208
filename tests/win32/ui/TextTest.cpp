#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"
#include "win32ui/OpenFileDialog.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

TEST(Text, ProgramTextsInUtf8AndNamesInTheCodePageReadAlikeEvenMixed) {
  if (::GetACP() != 1252) {
    GTEST_SKIP() << "the names are written in code page 1252";
  }
  const struct {
    std::string bytes;
    std::wstring expected;
  } cases[] = {
      {"Fondex2", L"Fondex2"},
      {"R\xC3\xA9pertoires  :", L"R\u00E9pertoires  :"},
      {"c:\\\xE9t\xE9.bmp", L"c:\\\u00E9t\u00E9.bmp"},
      {"Le fichier c:\\\xE9t\xE9.bmp est supprim\xC3\xA9",
       L"Le fichier c:\\\u00E9t\u00E9.bmp est supprim\u00E9"},
      {"\x80 \xE2\x82\xAC", L"\u20AC \u20AC"},  // the euro sign in both encodings
      {"\xC0\xAF", L"\u00C0\u00AF"},            // an overlong form is two letters
      {"\xED\xA0\x80", L"\u00ED\u00A0\u20AC"},  // so is an encoded surrogate
      {"fin\xC3", L"fin\u00C3"},                // a sequence cut short
      {"\xF0\x9F\x98\x80", L"\U0001F600"},      // beyond the basic plane
      {"", L""},
  };
  for (const auto& [bytes, expected] : cases) {
    EXPECT_EQ(Widen(bytes), expected) << bytes;
  }
  for (const std::string name : {"c:\\images\\\xE9t\xE9.bmp", "C:\\Z\xE8\x62re", ""}) {
    EXPECT_EQ(Narrow(Widen(name)), name);
  }
}

TEST(OpenFileDialog, FilterPairsEndedByZeros) {
  using namespace std::string_literals;
  const struct {
    std::string filter;
    std::string expected;
  } cases[] = {
      {"Images bitmap (*.BMP)|*.bmp", "Images bitmap (*.BMP)\0*.bmp\0\0"s},
      {"A|*.a|B|*.b", "A\0*.a\0B\0*.b\0\0"s},
      {"A|*.a|B", "A\0*.a\0\0"s},
      {"", "\0"s},
  };
  for (const auto& [filter, expected] : cases) {
    EXPECT_EQ(SystemFilter(filter), expected) << filter;
  }
}

}  // namespace
}  // namespace fondex::win32ui
