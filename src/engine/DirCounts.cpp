#include "engine/DirCounts.h"

#include "util/Checked.h"

namespace fondex {

std::int32_t DirCountTable::Get(std::int64_t index) const {
  util::CheckRange(index, 0, kSize - 1);
  return counts_[static_cast<std::size_t>(index)];
}

void DirCountTable::Set(std::int64_t index, std::int64_t value) {
  util::CheckRange(index, 0, kSize - 1);
  util::CheckRange(value, 0, INT32_MAX);
  counts_[static_cast<std::size_t>(index)] = static_cast<std::int32_t>(value);
}

void DirCountTable::InsertAt(int index, int used, std::int32_t value) {
  for (int k = used - 1; k >= index; --k) {
    Set(k + 1, Get(k));
  }
  Set(index, value);
}

void DirCountTable::RemoveAt(int index, int used) {
  // The entry past the last directory takes the 0 beyond it; a full table ends with 0.
  for (int k = index; k < used; ++k) {
    Set(k, k + 1 < kSize ? Get(k + 1) : 0);
  }
}

}  // namespace fondex
