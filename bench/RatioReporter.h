#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fondex::bench {

// The console report, plus the mean real time of each benchmark over its repetitions (and each
// aggregate reported), so that a program can print the ratio of two of them at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (Failed(run)) {
        continue;
      }
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) {
        Mean& mean = realTime_[{name, "mean"}];
        mean.sum += run.GetAdjustedRealTime();
        ++mean.count;
      } else {
        // The mean alone when only aggregates are reported; the same value otherwise.
        realTime_[{name, run.aggregate_name}] = {run.GetAdjustedRealTime(), 1};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // "label: ratio" of the two benchmarks' times (their mean, or another aggregate such as the
  // median when repetitions report it), when both ran.
  void PrintRatio(const char* label, const std::string& measured, const std::string& reference,
                  const std::string& aggregate = "mean") const {
    const auto top = realTime_.find({measured, aggregate});
    const auto bottom = realTime_.find({reference, aggregate});
    if (top != realTime_.end() && bottom != realTime_.end()) {
      std::printf("%s: %.2f\n", label, top->second.Value() / bottom->second.Value());
    }
  }

 private:
  // A run that stopped with an error (or, since 1.8, was skipped) has no time to count; 1.8 put
  // a `skipped` kind in place of the `error_occurred` flag.
  template <class R>
  static bool Failed(const R& run) {
    if constexpr (requires { run.skipped; }) {
      return run.skipped != decltype(run.skipped)::NotSkipped;
    } else {
      return run.error_occurred;
    }
  }

  struct Mean {
    double sum = 0;
    int count = 0;
    double Value() const { return sum / count; }
  };
  std::map<std::pair<std::string, std::string>, Mean> realTime_;
};

}  // namespace fondex::bench
