#include "platform/posix/IcuCollation.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

namespace fondex::platform::posix {
namespace {

constexpr UChar32 kAsciiEnd = 0x80;

int32_t Length(std::string_view text) {
  return static_cast<int32_t>(text.size());
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

using SetHandle = std::unique_ptr<USet, decltype(&uset_close)>;

// Whether a string of the set is made of ASCII characters only.
bool HasAsciiString(const USet* set) {
  for (int32_t item = 0; item < uset_getItemCount(set); ++item) {
    UChar32 start = 0;
    UChar32 end = 0;
    UChar text[64];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uset_getItem(set, item, &start, &end, text, 64, &status);
    if (U_FAILURE(status) ||
        (length > 0 && std::all_of(text, text + length, [](UChar c) { return c < kAsciiEnd; }))) {
      return true;
    }
  }
  return false;
}

// Whether the rules give an ASCII character more than one collation element, or treat a
// sequence of ASCII characters as a unit.
bool TailorsAsciiSequences(const UCollator* collator) {
  const SetHandle contractions(uset_openEmpty(), uset_close);
  const SetHandle expansions(uset_openEmpty(), uset_close);
  UErrorCode status = U_ZERO_ERROR;
  ucol_getContractionsAndExpansions(collator, contractions.get(), expansions.get(), true, &status);
  return U_FAILURE(status) || HasAsciiString(contractions.get()) ||
         uset_containsSome(expansions.get(),
                           SetHandle(uset_open(0, kAsciiEnd - 1), uset_close).get());
}

// The collator's key of a text: primary weights, byte 01, secondary weights, byte 00.
std::string KeyOf(const UCollator* collator, const UChar* text, int32_t length) {
  uint8_t key[64];
  const int32_t size = ucol_getSortKey(collator, text, length, key, sizeof key);
  return std::string(reinterpret_cast<const char*>(key), static_cast<std::size_t>(size));
}

// Eight bytes at a time: names are compared often, in the sort of large directories.
bool IsAscii(std::string_view name) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= name.size(); i += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, name.data() + i, sizeof word);
    if ((word & kHighBits) != 0) {
      return false;
    }
  }
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(i), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < kAsciiEnd; });
}

}  // namespace

// Compares the places of the characters, skipping the ones of place 0, the end of a name coming
// before any character; nothing when a name is not ASCII. One pass: the rest of each name is
// only checked for ASCII once the answer is known.
std::optional<int> IcuCollation::CompareAscii(std::string_view a, std::string_view b) const {
  const AsciiPlaces& places = *asciiPlaces_;
  const auto placeOf = [&places](char c) { return places[static_cast<unsigned char>(c)]; };
  // The usual start: both names in step, as long as their places are equal.
  std::size_t i = 0;
  const std::size_t common = std::min(a.size(), b.size());
  while (i < common && placeOf(a[i]) == placeOf(b[i]) && placeOf(a[i]) != kNotAscii) {
    ++i;
  }
  constexpr int kEnd = -1;
  std::size_t j = i;
  for (;;) {
    const int x = i < a.size() ? placeOf(a[i]) : kEnd;
    const int y = j < b.size() ? placeOf(b[j]) : kEnd;
    if (x == kNotAscii || y == kNotAscii) {
      return std::nullopt;
    }
    if (x == y && x != kEnd) {
      ++i;
      ++j;
    } else if (x == 0) {
      ++i;
    } else if (y == 0) {
      ++j;
    } else if (!IsAscii(a.substr(std::min(i, a.size()))) ||
               !IsAscii(b.substr(std::min(j, b.size())))) {
      return std::nullopt;
    } else {
      return Sign(x - y);
    }
  }
}

std::string IcuLocaleOf(std::string_view posixLocale) {
  const std::string_view name = posixLocale.substr(0, posixLocale.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") {
    return "";
  }
  return std::string(name);
}

std::string CollationLocaleFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      return IcuLocaleOf(value);
    }
  }
  return "";
}

std::string FoldCase(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
  int32_t i = 0;
  while (i < Length(name)) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, Length(name), c);
    if (c < 0) {
      folded.append(
          name.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
      continue;
    }
    c = u_foldCase(c, U_FOLD_CASE_DEFAULT);
    uint8_t encoded[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(encoded, length, c);
    folded.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(length));
  }
  return folded;
}

IcuCollation::IcuCollation(const std::string& icuLocale) {
  UErrorCode status = U_ZERO_ERROR;
  collator_ = ucol_open(icuLocale.c_str(), &status);
  if (U_FAILURE(status)) {
    throw std::runtime_error("Pépin : pas de règles de tri pour « " + icuLocale + " »");
  }
  // Secondary strength: letters and accents count, letter case does not.
  ucol_setStrength(collator_, UCOL_SECONDARY);
  asciiPlaces_ = PlacesOfAscii(collator_);
}

IcuCollation::~IcuCollation() {
  ucol_close(collator_);
}

// Comparing places gives the collator's answer for ASCII names when each ASCII character has one
// collation element of its own (no contraction, no expansion), and characters of equal primary
// weight are equal at the secondary level too: the collator then compares the characters'
// primary weights in turn, skipping the ones it ignores, and finds no secondary difference.
std::optional<IcuCollation::AsciiPlaces> IcuCollation::PlacesOfAscii(const UCollator* collator) {
  if (TailorsAsciiSequences(collator)) {
    return std::nullopt;
  }
  const std::string ignoredKey = KeyOf(collator, nullptr, 0);
  std::array<std::string, 128> primaries;
  std::map<std::string, std::string> keyOfPrimary;  // ordered as the collator orders them
  for (UChar c = 0; c < kAsciiEnd; ++c) {
    const std::string key = KeyOf(collator, &c, 1);
    primaries[c] = key.substr(0, key.find('\x01'));
    if (primaries[c].empty() ? key != ignoredKey
                             : keyOfPrimary.emplace(primaries[c], key).first->second != key) {
      return std::nullopt;
    }
  }
  std::map<std::string, std::uint8_t> placeOfPrimary;
  for (const auto& [primary, key] : keyOfPrimary) {
    placeOfPrimary.emplace(primary, static_cast<std::uint8_t>(placeOfPrimary.size() + 1));
  }
  AsciiPlaces places;
  places.fill(kNotAscii);
  for (std::size_t c = 0; c < primaries.size(); ++c) {
    places[c] = primaries[c].empty() ? 0 : placeOfPrimary.at(primaries[c]);
  }
  return places;
}

int IcuCollation::Compare(std::string_view a, std::string_view b) const {
  std::optional<int> order = asciiPlaces_ ? CompareAscii(a, b) : std::nullopt;
  if (!order) {
    UErrorCode status = U_ZERO_ERROR;
    order = ucol_strcollUTF8(collator_, a.data(), Length(a), b.data(), Length(b), &status);
  }
  return *order != 0 ? *order : Sign(FoldCase(a).compare(FoldCase(b)));
}

// The places CompareAscii compares in turn, an end coming before any character: their byte order
// is its order, and equal places leave the answer to the case-folded names.
std::optional<std::string> IcuCollation::SortKey(std::string_view name) const {
  if (!asciiPlaces_ || !IsAscii(name)) {
    return std::nullopt;
  }
  std::string key;
  key.reserve(name.size());
  for (const char c : name) {
    if (const std::uint8_t place = (*asciiPlaces_)[static_cast<unsigned char>(c)]; place != 0) {
      key += static_cast<char>(place);
    }
  }
  return key;
}

}  // namespace fondex::platform::posix
