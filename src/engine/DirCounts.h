#pragma once

#include <array>
#include <cstdint>

namespace fondex {

// Wallpaper count of each search directory, in the directory list's order. Every index and
// value is range-checked: a bad one raises an error instead of wrapping.
class DirCountTable {
 public:
  static constexpr int kSize = 1001;
  static constexpr std::int32_t kUnknownCount = 9999;

  std::int32_t Get(std::int64_t index) const;
  void Set(std::int64_t index, std::int64_t value);

  // Opens a place at index for a new directory among the first `used` entries.
  void InsertAt(int index, int used, std::int32_t value);
  // Closes the place of a removed directory among the first `used` entries (before removal).
  void RemoveAt(int index, int used);

 private:
  std::array<std::int32_t, kSize> counts_{};
};

}  // namespace fondex
