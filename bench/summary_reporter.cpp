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

} // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (!stands_for_its_case(run)) {
            continue;
        }
        const auto dice = run.counters.find("dice");
        rows_.push_back(
            {run.run_name.function_name,
             run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit),
             dice == run.counters.end() ? 0.0 : double(dice->second)});
    }
}

void SummaryReporter::Finalize() {
    const auto floor = std::find_if(rows_.begin(), rows_.end(),
                                    [this](const Row& row) { return row.name == floor_name_; });
    const double floor_per_die =
        floor == rows_.end() ? 0.0 : floor->ns_per_evaluation / floor->dice;
    std::FILE* out = stdout;
    std::fprintf(out, "%-28s %14s %12s %12s\n", "case", "per evaluation", "per die", "die / floor");
    for (const Row& row : rows_) {
        const double per_die = row.ns_per_evaluation / row.dice;
        std::fprintf(out, "%-28s %14s %12s", row.name.c_str(),
                     duration(row.ns_per_evaluation).c_str(), duration(per_die).c_str());
        if (floor_per_die > 0) {
            std::fprintf(out, " %11.2fx", per_die / floor_per_die);
        }
        std::fprintf(out, "\n");
    }
}
