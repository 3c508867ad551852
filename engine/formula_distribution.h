#pragma once

#include "distribution.h"
#include "distribution_progress.h"
#include "roll_detail.h"

#include <QString>
#include <chrono>
#include <cstddef>

// What working out one distribution may take. A formula estimated to need
// more is refused at once, and one that overruns the time anyway (a slower
// machine than the estimate's) is stopped.
struct DistributionBudget {
    std::size_t bytes = 256u << 20;
    std::chrono::milliseconds time{10'000};
};

struct FormulaDistribution {
    enum class Outcome { exact, formula_error, over_budget, cancelled };
    Outcome outcome = Outcome::exact;
    Distribution distribution; // when exact
    // When formula_error: what the result box shows, as RollDetail has it.
    FormulaError error = FormulaError::none;
    char32_t bad_char = 0;
    bool misplaced_slash = false;
};

// The exact distribution of a formula's total, read by the evaluator's own
// rules. It takes as long as it must, within the budget: call it off the GUI
// thread. Thread-safe; `progress` says how far it is and can stop it.
FormulaDistribution formula_distribution(const QString& formula, DistributionProgress& progress,
                                         const DistributionBudget& budget = {});
