#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

#include "platform/System.h"

// The draws of a change worked out from the generator's formula, so that a test can set the
// clock to the time of day that makes a change fall where the test wants it.
namespace fondex::test {

struct WantedDraw {
  std::uint32_t over;
  std::uint32_t result;
};

inline std::uint32_t SeedAt(const platform::SystemTime& time) {
  return static_cast<std::uint32_t>(((time.hour * 60 + time.minute) * 60 + time.second) * 1000 +
                                    time.milliseconds);
}

// Draws from a seed as the formula says: seed × 134775813 + 1 modulo 2^32, then the upper 32
// bits of the new seed × n.
class FormulaDraws {
 public:
  explicit FormulaDraws(std::uint32_t seed) : seed_(seed) {}
  std::uint32_t Next(std::uint32_t over) {
    seed_ = static_cast<std::uint32_t>((std::uint64_t{seed_} * 134775813u + 1u) & 0xFFFFFFFFu);
    return static_cast<std::uint32_t>((std::uint64_t{seed_} * over) >> 32);
  }
  std::uint32_t Seed() const { return seed_; }

 private:
  std::uint32_t seed_;
};

// The earliest time of day whose seed gives these draws in turn.
inline platform::SystemTime TimeForDraws(std::initializer_list<WantedDraw> wanted) {
  constexpr int kMillisecondsPerDay = 86400000;
  for (int ms = 0; ms < kMillisecondsPerDay; ++ms) {
    const platform::SystemTime time{ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
    FormulaDraws draws(SeedAt(time));
    bool matches = true;
    for (const WantedDraw& draw : wanted) {
      matches = matches && draws.Next(draw.over) == draw.result;
    }
    if (matches) {
      return time;
    }
  }
  throw std::logic_error("no time of day gives these draws");
}

}  // namespace fondex::test
