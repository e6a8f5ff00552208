#include <gtest/gtest.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/posix/IcuCollation.h"
#include "toolkit/StringList.h"

namespace fondex::platform::posix {
namespace {

using Names = std::vector<std::string>;

Names Sorted(const IcuCollation& names, Names texts) {
  std::stable_sort(texts.begin(), texts.end(),
                   [&names](const auto& a, const auto& b) { return names.Compare(a, b) < 0; });
  return texts;
}

TEST(IcuCollation, FrenchNamesSortWithTheirBaseLetters) {
  const IcuCollation french("fr_FR");
  EXPECT_EQ(Sorted(french, {"c:\\zèbre", "c:\\été", "c:\\Zoo", "c:\\ecole", "c:\\Èze", "c:\\a"}),
            (Names{"c:\\a", "c:\\ecole", "c:\\été", "c:\\Èze", "c:\\zèbre", "c:\\Zoo"}));
  // Digits, blanks and punctuation keep their places before letters, as ASCII names go.
  EXPECT_EQ(Sorted(french, {"b.bmp", "a b.bmp", "a-c.bmp", "A2.bmp", "a10.bmp"}),
            (Names{"a b.bmp", "a-c.bmp", "a10.bmp", "A2.bmp", "b.bmp"}));
}

struct Pair {
  const char* a;
  const char* b;
  bool same;
};

// The same name ignoring letter case, and nothing else: accents, spellings and bytes that are
// not UTF-8 still tell names apart.
TEST(IcuCollation, OnlyLetterCaseMakesTwoSpellingsOneName) {
  const IcuCollation french("fr_FR");
  const Pair pairs[] = {
      {"ÉTÉ", "été", true},
      {"C:\\IMAGES", "c:\\images", true},
      {"Ça", "ça", true},
      {"ÆON", "æon", true},
      {"ete", "été", false},
      {"cote", "côte", false},
      {"straße", "strasse", false},
      {"cafe\xCC\x81", "caf\xC3\xA9", false},  // a combining accent, and the accented letter
      {"\xE9t\xE9", "\xC9t\xC9", false},       // Latin-1 bytes
      {"\xE9t\xE9", "\xE9t\xE9", true},
      {"a", "a\x01", false},  // a character the collator ignores
  };
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(std::string(pair.a) + " / " + pair.b);
    EXPECT_EQ(french.Compare(pair.a, pair.b) == 0, pair.same);
    // A consistent order: reversing the names reverses the answer.
    EXPECT_EQ(french.Compare(pair.a, pair.b), -french.Compare(pair.b, pair.a));
  }
}

// The ASCII names that most directories hold are compared without the collator where the
// locale allows it; the answers must be the collator's all the same.
TEST(IcuCollation, AsciiNamesGetTheCollatorsAnswerWithOrWithoutIt) {
  struct Locale {
    const char* name;
    bool byPlaces;
  };
  // Danish treats "aa" as one letter, Czech "ch": their ASCII names need the collator.
  for (const Locale locale : {Locale{"", true}, Locale{"fr_FR", true}, Locale{"sv_SE", true},
                              Locale{"da_DK", false}, Locale{"cs_CZ", false}}) {
    SCOPED_TRACE(locale.name);
    const IcuCollation names(locale.name);
    EXPECT_EQ(names.ComparesAsciiByPlaces(), locale.byPlaces);
    EXPECT_EQ(names.SortKey("a").has_value(), locale.byPlaces);
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(locale.name, &status);
    ucol_setStrength(collator, UCOL_SECONDARY);
    std::mt19937 random(7);
    const auto name = [&random] {
      std::string text(random() % 6, ' ');
      for (char& c : text) {
        // Mostly letters of both cases, sometimes any ASCII character.
        c = random() % 4 == 0 ? static_cast<char>(random() % 128) : "aAchCHz-1 "[random() % 10];
      }
      return text;
    };
    int wrong = 0;
    for (int n = 0; n < 20000; ++n) {
      const std::string a = name();
      const std::string b = random() % 2 == 0 ? a.substr(0, a.size() / 2) + name() : name();
      status = U_ZERO_ERROR;
      const int expected = ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()),
                                            b.data(), static_cast<int32_t>(b.size()), &status);
      const int order = names.Compare(a, b);
      const bool sameName = FoldCase(a) == FoldCase(b);
      wrong += expected != 0 ? order != expected : (order == 0) != sameName;
      // Keys that differ, where the names have them, order them as the comparison does.
      if (const auto keyA = names.SortKey(a), keyB = names.SortKey(b); keyA && keyB) {
        const int byKey = (*keyA > *keyB) - (*keyA < *keyB);
        wrong += byKey != 0 && byKey != order;
      }
    }
    ucol_close(collator);
    EXPECT_EQ(wrong, 0);
  }
}

// A large list sorts by keys where names have them and by comparisons elsewhere: the order is
// the one comparisons alone give, whatever the mix.
TEST(IcuCollation, SortingByKeysGivesTheOrderOfComparisons) {
  const IcuCollation french("fr_FR");
  std::mt19937 random(11);
  Names names;
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    for (std::size_t i = random() % 7; i > 0; --i) {
      const char* pieces[] = {"a", "E", "é", "É", "e", "-", " ", "1", "\x01", "\xE9", "z", "Z"};
      text += pieces[random() % std::size(pieces)];
    }
    names.push_back(text);
  }
  Names expected = names;
  std::sort(expected.begin(), expected.end(), toolkit::NameOrder{french});
  toolkit::SortNames(names, french);
  EXPECT_EQ(names, expected);
}

TEST(IcuCollation, FoldingLowersEveryCapitalAndKeepsOtherBytes) {
  EXPECT_EQ(FoldCase("C:\\ÉTÉ\\ÇA.BMP"), "c:\\été\\ça.bmp");
  EXPECT_EQ(FoldCase("ΣΟΦΙΑ"), "σοφια");
  EXPECT_EQ(FoldCase("\xC9T\xC9"), "\xC9t\xC9");
  EXPECT_EQ(FoldCase(""), "");
}

TEST(CollationLocale, ThePosixNameLosesItsCodeSetAndCIsEveryLanguage) {
  const std::pair<const char*, const char*> cases[] = {
      {"fr_FR.UTF-8", "fr_FR"},
      {"fr_CA", "fr_CA"},
      {"de_DE@euro", "de_DE"},
      {"C", ""},
      {"C.UTF-8", ""},
      {"POSIX", ""},
      {"", ""},
  };
  for (const auto& [posix, icu] : cases) {
    EXPECT_EQ(IcuLocaleOf(posix), icu) << posix;
  }
}

TEST(CollationLocale, LcAllThenLcCollateThenLang) {
  const char* kVariables[] = {"LC_ALL", "LC_COLLATE", "LANG"};
  std::vector<std::optional<std::string>> saved;
  for (const char* variable : kVariables) {
    const char* value = std::getenv(variable);
    saved.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
  }
  struct Environment {
    const char* lcAll;
    const char* lcCollate;
    const char* lang;
    const char* locale;
  };
  for (const Environment& environment :
       {Environment{"sv_SE.UTF-8", "da_DK", "fr_FR", "sv_SE"},
        Environment{"", "da_DK.UTF-8", "fr_FR", "da_DK"},
        Environment{"", "", "fr_FR.UTF-8", "fr_FR"}, Environment{"", "", "", ""}}) {
    ::setenv("LC_ALL", environment.lcAll, 1);
    ::setenv("LC_COLLATE", environment.lcCollate, 1);
    ::setenv("LANG", environment.lang, 1);
    EXPECT_EQ(CollationLocaleFromEnvironment(), environment.locale);
  }
  for (std::size_t i = 0; i < saved.size(); ++i) {
    saved[i] ? ::setenv(kVariables[i], saved[i]->c_str(), 1) : ::unsetenv(kVariables[i]);
  }
}

}  // namespace
}  // namespace fondex::platform::posix
