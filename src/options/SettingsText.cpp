#include "options/SettingsText.h"

#include <array>
#include <cstdio>
#include <limits>

#include "toolkit/Error.h"

namespace fondex::options {

namespace {

// Magnitudes grow no further once past every 32-bit value; the cap keeps them exact enough
// to tell "in range" from "out of range" without ever overflowing.
constexpr std::uint64_t kMagnitudeCap = std::uint64_t{1} << 32;
constexpr std::uint64_t kLargestPositive = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t kLargestNegative = kLargestPositive + 1;

struct ScannedNumber {
  bool negative = false;
  std::uint64_t magnitude = 0;
  bool whole = false;  // digits, and nothing after them
};

int DigitValue(char c, int base) {
  int value = base;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

ScannedNumber Scan(const std::string& text) {
  ScannedNumber scanned;
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == std::string::npos) {
    return scanned;
  }
  int base = 10;
  if (text[pos] == '+' || text[pos] == '-') {
    scanned.negative = text[pos] == '-';
    ++pos;
  } else if (text[pos] == '$') {
    base = 16;
    ++pos;
  }
  const std::size_t firstDigit = pos;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) {
      break;
    }
    const std::uint64_t grown =
        scanned.magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    scanned.magnitude = grown < kMagnitudeCap ? grown : kMagnitudeCap;
  }
  scanned.whole = pos > firstDigit && pos == text.size();
  return scanned;
}

std::int32_t Positive(std::uint64_t magnitude) {
  return static_cast<std::int32_t>(magnitude < kLargestPositive ? magnitude : kLargestPositive);
}

std::int32_t Negative(std::uint64_t magnitude) {
  const std::uint64_t bounded = magnitude < kLargestNegative ? magnitude : kLargestNegative;
  return static_cast<std::int32_t>(-static_cast<std::int64_t>(bounded));
}

}  // namespace

bool ReadsAsTrue(const std::string& lowered) {
  return lowered == "oui" || lowered == "yes" || lowered == "true" || lowered == "1";
}

const char* YesNoWord(bool value) {
  return value ? "Oui" : "Non";
}

std::int32_t NumberValue(const std::string& text) {
  const ScannedNumber scanned = Scan(text);
  if (scanned.whole && scanned.negative) {
    return Negative(scanned.magnitude);
  }
  return Positive(scanned.magnitude);
}

std::int32_t StrictIntegerValue(const std::string& text) {
  const ScannedNumber scanned = Scan(text);
  const std::uint64_t largest = scanned.negative ? kLargestNegative : kLargestPositive;
  if (!scanned.whole || scanned.magnitude > largest) {
    throw Error("'" + text + "' is not a valid integer value");
  }
  return scanned.negative ? Negative(scanned.magnitude) : Positive(scanned.magnitude);
}

std::string DelaiText(std::int32_t minutes) {
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%3d", static_cast<int>(minutes));
  return buffer.data();
}

}  // namespace fondex::options
