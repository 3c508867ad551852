#include "dicelab.h"
#include "engine/formula_distribution.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// dicelab's longest run, and the address space it may take: unbounded, its
// 1000d1000 holds 4 GB after a minute, on a machine shared with other work.
constexpr std::chrono::seconds dicelab_limit{60};
constexpr std::size_t dicelab_memory = std::size_t{4} << 30;
constexpr int dicelab_runs = 5; // of those that finish; the median counts

// A formula, the same work for dicelab, and the most time Tirlo may take;
// none for a formula past the budget, which must be refused.
struct Row {
    const char* formula;
    const char* dicelab;
    double target_ns;
};

const Row rows[] = {
    {"3d6/4", "sum(high 3 4#d6)", 20e3},
    {"5d10/10", "sum(high 5 10#d10)", 1e6},
    {"8d20/12", "sum(high 8 12#d20)", 1e6},
    {"10d20/20", "sum(high 10 20#d20)", 2e6},
    {"3d6/4+2d8+1d20/2+5", "sum(high 3 4#d6)+sum(2#d8)+sum(high 1 2#d20)+5", 2e6},
    {"100d6", "sum(100#d6)", 1e6},
    {"20d100", "sum(20#d100)", 1e6},
    {"50d100/100", "sum(high 50 100#d100)", 100e6},
    {"1000d1000", "sum(1000#d1000)", 250e6},
    {"500d1000/1000", "sum(high 500 1000#d1000)", 0.0},
};

void work_out(benchmark::State& state, const QString& formula) {
    for (auto _ : state) {
        DistributionProgress progress;
        benchmark::DoNotOptimize(formula_distribution(formula, progress));
    }
}

// Keeps the median CPU time of each case, in nanoseconds.
class Medians final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                ns[run.run_name.function_name] = run.GetAdjustedCPUTime() * 1e9 /
                                                 benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }
    std::map<std::string, double> ns;
};

std::string duration(double ns) {
    char text[32];
    if (ns < 1e6) {
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    } else if (ns < 1e9) {
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.1f s", ns / 1e9);
    }
    return text;
}

// The largest difference between Tirlo's probabilities and dicelab's, which
// prints six decimals.
double largest_difference(const Distribution& ours, const std::map<long long, double>& theirs) {
    if (theirs.empty()) {
        return 1.0;
    }
    double largest = 0.0;
    for (std::int64_t t = std::min<std::int64_t>(ours.min, theirs.begin()->first);
         t <= std::max<std::int64_t>(ours.max(), theirs.rbegin()->first); ++t) {
        const auto found = theirs.find(t);
        const double their = found == theirs.end() ? 0.0 : found->second;
        const double our = t < ours.min || t > ours.max() ? 0.0 : ours.p[std::size_t(t - ours.min)];
        largest = std::max(largest, std::abs(our - their));
    }
    return largest;
}

// dicelab's runs of a program, up to dicelab_runs of them while it finishes:
// the last one, and the median CPU time of those that finished.
std::pair<DicelabRun, double> dicelab_median(const char* program) {
    std::vector<double> cpu;
    DicelabRun run;
    while (int(cpu.size()) < dicelab_runs) {
        run = run_dicelab(program, dicelab_limit, dicelab_memory);
        if (run.end != DicelabRun::End::finished) {
            break;
        }
        cpu.push_back(run.cpu_seconds * 1e9);
    }
    std::sort(cpu.begin(), cpu.end());
    return {run, cpu.empty() ? 0.0 : cpu[cpu.size() / 2]};
}

// dicelab's figure beside Tirlo's, or why there is none; and how many times
// Tirlo's it is, 0 when it has none.
std::pair<std::string, double> dicelab_figure(const Row& row, const FormulaDistribution& ours,
                                              double ours_ns) {
    const auto [run, median] = dicelab_median(row.dicelab);
    char text[160];
    switch (run.end) {
    case DicelabRun::End::not_installed:
        return {"not installed", 0.0};
    case DicelabRun::End::timed_out:
        return {"no result in " + std::to_string(dicelab_limit.count()) + " s", 0.0};
    case DicelabRun::End::failed:
        std::snprintf(text, sizeof text, "failed after %.1f s (%zu GiB cap)", run.wall_seconds,
                      dicelab_memory >> 30);
        return {text, 0.0};
    case DicelabRun::End::finished:
        break;
    }
    const double difference = ours.outcome == FormulaDistribution::Outcome::exact
                                  ? largest_difference(ours.distribution, run.p)
                                  : 1.0;
    std::snprintf(text, sizeof text, "%s, %.0fx, differs by %.1e", duration(median).c_str(),
                  median / ours_ns, difference);
    return {text, median / ours_ns};
}

} // namespace

int main(int argc, char** argv) {
    for (const Row& row : rows) {
        benchmark::RegisterBenchmark(row.formula, work_out, QString(row.formula))
            ->MinWarmUpTime(0.2)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Medians medians;
    benchmark::RunSpecifiedBenchmarks(&medians);
    benchmark::Shutdown();

    std::printf("\nTirlo: median CPU time of formula_distribution. dicelab -c: median CPU time of "
                "its whole run, process start included (a few ms), then how many times Tirlo's, "
                "and the largest difference between the two (dicelab prints 6 decimals).\n");
    // What of dicelab's figures is its start alone: a program without dice.
    const auto [start, start_ns] = dicelab_median("5");
    if (start.end == DicelabRun::End::finished) {
        std::printf("dicelab -c on the program \"5\", its start alone: %s\n",
                    duration(start_ns).c_str());
    }
    std::printf("%-20s %10s %12s %-8s %s\n", "formula", "Tirlo", "target", "", "dicelab -c");
    int met = 0;
    int targets = 0;
    int compared = 0;
    int far_faster = 0; // at least 100 times faster than dicelab
    for (const Row& row : rows) {
        const auto found = medians.ns.find(row.formula);
        if (found == medians.ns.end()) {
            continue;
        }
        DistributionProgress progress;
        const FormulaDistribution ours = formula_distribution(row.formula, progress);
        const bool refused = ours.outcome == FormulaDistribution::Outcome::over_budget;
        const bool exact = ours.outcome == FormulaDistribution::Outcome::exact;
        const bool is_met = row.target_ns > 0 ? found->second <= row.target_ns && exact : refused;
        ++targets;
        met += is_met ? 1 : 0;
        const auto [figure, ratio] = dicelab_figure(row, ours, found->second);
        compared += ratio > 0 ? 1 : 0;
        far_faster += ratio >= 100 ? 1 : 0;
        const std::string target = row.target_ns > 0 ? "<= " + duration(row.target_ns) : "refused";
        std::printf("%-20s %10s %12s %-8s %s\n", row.formula, duration(found->second).c_str(),
                    target.c_str(), is_met ? "met" : "NOT met", figure.c_str());
        std::fflush(stdout);
    }
    std::printf("targets met: %d of %d; at least 100 times faster than dicelab: %d of the %d "
                "where it finishes\n",
                met, targets, far_faster, compared);
    return 0;
}
