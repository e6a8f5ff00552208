#pragma once

// What the root-window benchmarks share: this process's memory figures, running another setter
// to its end, and one change per repetition.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace fondex::bench {

// A figure of this process's status, in kB ("VmRSS", "VmHWM").
inline double StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field + ":")) {
      return std::stod(line.substr(field.size() + 1));
    }
  }
  return 0;
}

// Starts the peak resident figure anew at the resident size of now.
inline void ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

// Runs the setter to its end; its time is the iteration's, its peak memory a counter.
inline void RunSetter(benchmark::State& state, std::vector<std::string> arguments,
                      const char* failure) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  long peak = 0;
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
        ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError(failure);
      return;
    }
    peak = std::max(peak, usage.ru_maxrss);
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}

// One change per repetition; the median time and the largest peak are the figures.
inline void OneChangeEach(benchmark::internal::Benchmark* benchmark, int repetitions) {
  benchmark->Iterations(1)
      ->Repetitions(repetitions)
      ->ComputeStatistics("max",
                          [](const std::vector<double>& values) {
                            return *std::max_element(values.begin(), values.end());
                          })
      ->Unit(benchmark::kMillisecond);
}

}  // namespace fondex::bench
