#include "summary_reporter.h"

#include <algorithm>
#include <cstdio>

namespace {

using Run = benchmark::BenchmarkReporter::Run;

// Without repetitions a case has one plain run; with them, its median stands for it.
bool stands_for_its_case(const Run& run) {
    if (run.error_occurred) {
        return false;
    }
    return run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median"
                                             : run.repetitions <= 1;
}

std::string duration(double ns) {
    char text[32];
    if (ns < 1e4) {
        std::snprintf(text, sizeof text, "%.2f ns", ns);
    } else if (ns < 1e7) {
        std::snprintf(text, sizeof text, "%.2f us", ns / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    }
    return text;
}

std::string bound(const Target& target) {
    if (target.measure == Target::Measure::evaluation_ns) {
        return "<= " + duration(target.at_most);
    }
    char text[32];
    std::snprintf(text, sizeof text, "<= %.2fx", target.at_most);
    return text;
}

} // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (!stands_for_its_case(run)) {
            continue;
        }
        const auto dice = run.counters.find("dice");
        rows_.push_back(
            {run.family_index, run.run_name.function_name,
             run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit),
             dice == run.counters.end() ? 0.0 : double(dice->second)});
    }
}

void SummaryReporter::Finalize() {
    // Interleaved repetitions report their cases in any order.
    std::sort(rows_.begin(), rows_.end(),
              [](const Row& a, const Row& b) { return a.order < b.order; });
    const auto floor = std::find_if(rows_.begin(), rows_.end(),
                                    [this](const Row& row) { return row.name == floor_name_; });
    const double floor_per_die =
        floor == rows_.end() ? 0.0 : floor->ns_per_evaluation / floor->dice;
    int targets = 0;
    int met = 0;
    std::FILE* out = stdout;
    std::fprintf(out, "%-34s %14s %10s %12s %12s\n", "case", "per evaluation", "per die",
                 "die / floor", "target");
    for (const Row& row : rows_) {
        const double per_die = row.ns_per_evaluation / row.dice;
        const double ratio = floor_per_die > 0 ? per_die / floor_per_die : 0.0;
        std::fprintf(out, "%-34s %14s %10s %11.2fx", row.name.c_str(),
                     duration(row.ns_per_evaluation).c_str(), duration(per_die).c_str(), ratio);
        const auto target = targets_.find(row.name);
        if (target != targets_.end()) {
            const bool per_evaluation = target->second.measure == Target::Measure::evaluation_ns;
            // A ratio with no floor in the run (left out by a filter) proves nothing.
            const bool is_met = per_evaluation ? row.ns_per_evaluation <= target->second.at_most
                                               : ratio > 0 && ratio <= target->second.at_most;
            ++targets;
            met += is_met ? 1 : 0;
            std::fprintf(out, " %12s  %s", bound(target->second).c_str(),
                         is_met ? "met" : "NOT met");
        }
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "targets met: %d of %d\n", met, targets);
}
