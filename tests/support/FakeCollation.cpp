#include "support/FakeCollation.h"

#include <cstddef>

namespace fondex::test {
namespace {

// The base letter of each character from U+00C0 to U+00FF; '-' for the characters that have
// none (×, ß, Þ, ÷, þ), which sort by their bytes. The first 31 are capitals.
constexpr char kBaseLetters[] =
    "aaaaaaaceeeeiiii"
    "dnooooo-ouuuuy--"
    "aaaaaaaceeeeiiii"
    "dnooooo-ouuuuy-y";
constexpr int kSmallLetters = 0x20;

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Which of U+00C0 to U+00FF with a base letter the UTF-8 bytes at i encode, or -1.
int AccentedLetterAt(std::string_view name, std::size_t i) {
  if (i + 1 >= name.size() || name[i] != '\xC3') {
    return -1;
  }
  const auto trail = static_cast<unsigned char>(name[i + 1]);
  const int letter = trail - 0x80;
  return letter >= 0 && letter < 0x40 && kBaseLetters[letter] != '-' ? letter : -1;
}

// The base letters, then a zero byte, then the name with its capitals made small.
std::string KeyOf(std::string_view name) {
  std::string bases;
  std::string small;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const int letter = AccentedLetterAt(name, i);
    if (letter < 0) {
      bases += LowerAscii(name[i]);
      small += LowerAscii(name[i]);
      continue;
    }
    bases += kBaseLetters[letter];
    small += '\xC3';
    small += static_cast<char>(0x80 + (letter < kSmallLetters ? letter + kSmallLetters : letter));
    ++i;
  }
  return bases + '\0' + small;
}

}  // namespace

int FakeCollation::Compare(std::string_view a, std::string_view b) const {
  const int order = KeyOf(a).compare(KeyOf(b));
  return (order > 0) - (order < 0);
}

}  // namespace fondex::test
