#pragma once
// Runs the registered benchmarks and then prints, for each pair, the ratio of the first's
// real time to its baseline's, measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace test {

struct BenchmarkPair {
    std::string measured;
    std::string baseline;
    double aim;  // the ratio not to exceed
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.iterations > 0) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    const std::map<std::string, double>& times() const { return times_; }

  private:
    std::map<std::string, double> times_;
};

inline int RunWithRatios(int argc, char** argv, const std::vector<BenchmarkPair>& pairs) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const BenchmarkPair& pair : pairs) {
        auto measured = reporter.times().find(pair.measured);
        auto baseline = reporter.times().find(pair.baseline);
        if (measured == reporter.times().end() || baseline == reporter.times().end() ||
            baseline->second <= 0) {
            std::printf("%-28s / %-28s : not measured\n", pair.measured.c_str(),
                        pair.baseline.c_str());
            continue;
        }
        double ratio = measured->second / baseline->second;
        std::printf("%-28s / %-28s = %5.2fx (aim <= %.2fx) %s\n", pair.measured.c_str(),
                    pair.baseline.c_str(), ratio, pair.aim, ratio <= pair.aim ? "ok" : "OVER");
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace test
