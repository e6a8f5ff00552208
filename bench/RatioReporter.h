#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace fondex::bench {

// The console report, plus the mean real time of each benchmark over its repetitions, so that a
// program can print the ratio of two of them at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) {
        continue;
      }
      Mean& mean = realTime_[run.run_name.function_name];
      if (run.run_type == Run::RT_Iteration) {
        mean.sum += run.GetAdjustedRealTime();
        ++mean.count;
      } else if (run.aggregate_name == "mean") {
        // Alone when only aggregates are reported; the same value otherwise.
        mean = {run.GetAdjustedRealTime(), 1};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // "label: ratio" of the two benchmarks' mean times, when both ran.
  void PrintRatio(const char* label, const std::string& measured,
                  const std::string& reference) const {
    const auto top = realTime_.find(measured);
    const auto bottom = realTime_.find(reference);
    if (top != realTime_.end() && bottom != realTime_.end()) {
      std::printf("%s: %.2f\n", label, top->second.Value() / bottom->second.Value());
    }
  }

 private:
  struct Mean {
    double sum = 0;
    int count = 0;
    double Value() const { return sum / count; }
  };
  std::map<std::string, Mean> realTime_;
};

}  // namespace fondex::bench
