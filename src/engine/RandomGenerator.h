#pragma once

#include <cstdint>

namespace fondex {

// 32-bit linear congruential generator: seed × 134775813 + 1 modulo 2^32; a draw over n is the
// upper 32 bits of the new seed × n.
class RandomGenerator {
 public:
  std::uint32_t Seed() const { return seed_; }
  void SetSeed(std::uint32_t seed) { seed_ = seed; }

  // A number from 0 to n - 1 (0 when n is 0).
  std::uint32_t Draw(std::uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
  }

 private:
  std::uint32_t seed_ = 0;
};

}  // namespace fondex
