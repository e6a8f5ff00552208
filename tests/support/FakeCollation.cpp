#include "support/FakeCollation.h"

#include <cstddef>
#include <utility>

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

// The bytes of a name's sort key, one at a time, with no copy: its base letters (first pass), or
// the name with its capitals made small (second pass). -1 at the end.
class KeyBytes {
 public:
  KeyBytes(std::string_view name, bool small) : name_(name), small_(small) {}

  int Next() {
    if (trail_ >= 0) {
      return std::exchange(trail_, -1);
    }
    if (i_ >= name_.size()) {
      return -1;
    }
    const int letter = AccentedLetterAt(name_, i_);
    if (letter < 0) {
      return static_cast<unsigned char>(LowerAscii(name_[i_++]));
    }
    i_ += 2;
    if (!small_) {
      return static_cast<unsigned char>(kBaseLetters[letter]);
    }
    trail_ = 0x80 + (letter < kSmallLetters ? letter + kSmallLetters : letter);
    return 0xC3;
  }

 private:
  std::string_view name_;
  bool small_;
  std::size_t i_ = 0;
  int trail_ = -1;
};

int ComparePass(std::string_view a, std::string_view b, bool small) {
  KeyBytes left(a, small);
  KeyBytes right(b, small);
  for (;;) {
    const int x = left.Next();
    const int y = right.Next();
    if (x != y) {
      return x < y ? -1 : 1;
    }
    if (x < 0) {
      return 0;
    }
  }
}

}  // namespace

int FakeCollation::Compare(std::string_view a, std::string_view b) const {
  const int bases = ComparePass(a, b, false);
  return bases != 0 ? bases : ComparePass(a, b, true);
}

}  // namespace fondex::test
