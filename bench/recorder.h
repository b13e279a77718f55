#pragma once
// A console reporter that also keeps each benchmark's time per iteration, so
// that a benchmark program can print ratios of two runs after the report.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vt::bench {

class Recorder : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred) seconds[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace vt::bench
