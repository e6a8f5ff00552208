#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Collation.h"

struct UCollator;

namespace fondex::platform::posix {

// The ICU locale of a POSIX locale name: "fr_FR.UTF-8" gives "fr_FR"; the C and POSIX locales,
// and no locale at all, give the rules common to every language ("").
std::string IcuLocaleOf(std::string_view posixLocale);

// The locale that orders text for the user: LC_ALL, else LC_COLLATE, else LANG.
std::string CollationLocaleFromEnvironment();

// Every letter of the name in its case-folded form; bytes that are not UTF-8 stay as they are.
std::string FoldCase(std::string_view name);

// Names in a locale's order, by ICU's collator at secondary strength: letter case ignored,
// accents not. Names that the collator finds equal are then told apart by their case-folded
// forms, so that only names differing by letter case are the same name.
class IcuCollation : public Collation {
 public:
  explicit IcuCollation(const std::string& icuLocale = CollationLocaleFromEnvironment());
  ~IcuCollation() override;
  IcuCollation(const IcuCollation&) = delete;
  IcuCollation& operator=(const IcuCollation&) = delete;

  int Compare(std::string_view a, std::string_view b) const override;
  // ASCII names have one when their characters compare by places: the places, the ignored
  // characters left out.
  std::optional<std::string> SortKey(std::string_view name) const override;

  // Whether two ASCII names are compared by the places of their characters, without the
  // collator.
  bool ComparesAsciiByPlaces() const { return asciiPlaces_.has_value(); }

 private:
  // The place of each byte: for an ASCII character its place in the collator's order, 0 when
  // the collator ignores it; kNotAscii for the other bytes.
  using AsciiPlaces = std::array<std::uint8_t, 256>;
  static constexpr std::uint8_t kNotAscii = 255;
  static std::optional<AsciiPlaces> PlacesOfAscii(const UCollator* collator);
  std::optional<int> CompareAscii(std::string_view a, std::string_view b) const;

  UCollator* collator_;
  // Set when comparing places gives the collator's answer for every two ASCII names.
  std::optional<AsciiPlaces> asciiPlaces_;
};

}  // namespace fondex::platform::posix
