#pragma once

#include <benchmark/benchmark.h>
#include <dirent.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fondex::bench {

// The reference of the listing measures: the names of a directory read with a bare readdir loop
// and sorted by their bytes.
inline void MeasureBareReaddirAndSort(benchmark::State& state, const std::string& directory,
                                      std::size_t expectedCount) {
  std::size_t count = 0;
  for (auto _ : state) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.c_str());
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") {
        names.emplace_back(name);
      }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    benchmark::DoNotOptimize(names);
    count = names.size();
  }
  if (count != expectedCount) {
    state.SkipWithError("readdir does not see every bitmap");
  }
}

}  // namespace fondex::bench
