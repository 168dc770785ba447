// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the registered benchmarks and prints each figure as a ratio to its baseline measured in
// the same run (absolute times on a shared machine move by a third between runs; ratios hold).
// An enforced ratio above its goal makes the program fail, loudly.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace drivo::bench {

struct Ratio {
    std::string measured; // benchmark name
    std::string baseline; // benchmark name; empty when baselineSeconds is given
    double goal = 0.0;    // largest accepted ratio
    double baselineSeconds = 0.0;
    bool cpuTime = false; // compare CPU time (drawing) rather than wall time (waiting)
    bool enforced = true; // above the goal the program fails; otherwise it only says so
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / unit;
                m_cpuSeconds[run.benchmark_name()] = run.GetAdjustedCPUTime() / unit;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    // Seconds per iteration, 0 when the benchmark did not run.
    double Seconds(const std::string& name, bool cpuTime) const {
        const auto& times = cpuTime ? m_cpuSeconds : m_seconds;
        const auto it = times.find(name);
        return it == times.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_cpuSeconds;
};

// `measuredRatios`, when given, receives each ratio measured by its benchmark's name.
inline int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios,
                         std::map<std::string, double>* measuredRatios = nullptr) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int failed = 0;
    for (const Ratio& r : ratios) {
        const double measured = reporter.Seconds(r.measured, r.cpuTime);
        const double base =
            r.baseline.empty() ? r.baselineSeconds : reporter.Seconds(r.baseline, r.cpuTime);
        if (measured <= 0.0 || base <= 0.0)
            continue; // filtered out of this run
        const double ratio = measured / base;
        if (measuredRatios != nullptr)
            (*measuredRatios)[r.measured] = ratio;
        const bool ok = ratio <= r.goal;
        std::printf("%s: %.3f x %s in %s time (goal at most %.2f x)%s\n", r.measured.c_str(), ratio,
                    r.baseline.empty() ? "the floor" : r.baseline.c_str(),
                    r.cpuTime ? "CPU" : "wall", r.goal, ok ? "" : "  *** ABOVE THE GOAL ***");
        failed += ok || !r.enforced ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}

} // namespace drivo::bench
