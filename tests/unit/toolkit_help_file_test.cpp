#include <gtest/gtest.h>

#include "toolkit/HelpFile.h"

namespace fondex::toolkit {
namespace {

constexpr std::string_view kHelp =
    "[1] Fondex : la fen\xC3\xAAtre principale\n"
    "Fondex change le papier peint.\n"
    "\n"
    "Deuxi\xC3\xA8me paragraphe.\n"
    "  [2]Les contr\xC3\xB4les  \r\n"
    "\r\n"
    "Une liste.\r\n"
    "[x] pas un titre\n"
    "[-3] pas un titre non plus\n"
    "[3]\n"
    "[4] A propos\n"
    "Fin sans saut de ligne";

TEST(HelpFile, FindsTheSectionOfAContextUpToTheNextOne) {
  const struct {
    int context;
    std::optional<HelpSection> expected;
  } cases[] = {
      {1, HelpSection{"Fondex : la fen\xC3\xAAtre principale",
                      "Fondex change le papier peint.\n\nDeuxi\xC3\xA8me paragraphe."}},
      {2, HelpSection{"Les contr\xC3\xB4les",
                      "Une liste.\r\n[x] pas un titre\n[-3] pas un titre non plus"}},
      {3, HelpSection{"", ""}},
      {4, HelpSection{"A propos", "Fin sans saut de ligne"}},
      {5, std::nullopt},
      {-3, std::nullopt},
  };
  for (const auto& [context, expected] : cases) {
    const auto found = FindHelpSection(kHelp, context);
    ASSERT_EQ(found.has_value(), expected.has_value()) << context;
    if (found) {
      EXPECT_EQ(found->title, expected->title) << context;
      EXPECT_EQ(found->text, expected->text) << context;
    }
  }
  EXPECT_EQ(FindHelpSection("", 1), std::nullopt);
  EXPECT_EQ(FindHelpSection("[1]", 1)->text, "");
}

}  // namespace
}  // namespace fondex::toolkit
