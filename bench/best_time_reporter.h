// A console reporter that keeps the best time of every benchmark over its
// rounds, for the ratio lines a benchmark prints after its table.
//
// The best round counts: the page cache makes the first pass over a file
// slower than the others. The time is the CPU time of the benchmark thread,
// user and system, so that the copies to and from the page cache count; on
// a machine shared with other work, wall time mostly measures the
// neighbours.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class BestTimeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred) {
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        auto [slot, added] = m_seconds.emplace(Key(run), seconds);
        if (!added && seconds < slot->second) slot->second = seconds;
      }
    ConsoleReporter::ReportRuns(runs);
  }

 protected:
  // Best time in seconds of the benchmark named "function" or
  // "function/argument"; negative when it did not run.
  double Seconds(const std::string& name) const {
    auto found = m_seconds.find(name);
    return found == m_seconds.end() ? -1.0 : found->second;
  }

  // Prints how fast `name` runs against `reference` (the reference's time
  // over its own, 1.0 = as fast), with the ratio aimed at when there is one.
  void Ratio(const char* label, const std::string& name, const std::string& reference,
             double target = 0.0) const {
    const double a = Seconds(name), b = Seconds(reference);
    if (a <= 0 || b <= 0) return;
    std::printf("  %-40s %.3f", label, b / a);
    if (target > 0.0) std::printf("   (target >= %.2f)", target);
    std::printf("\n");
  }

 private:
  static std::string Key(const Run& run) {
    const std::string& args = run.run_name.args;
    return run.run_name.function_name + (args.empty() ? "" : "/" + args);
  }

  std::map<std::string, double> m_seconds;
};
