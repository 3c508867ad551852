#include "formula_distribution.h"

#include "dice_sum.h"
#include "distribution_sum.h"
#include "formula_scan.h"
#include "keep_best_sum.h"

#include <algorithm>
#include <functional>
#include <map>
#include <queue>
#include <tuple>
#include <utility>

namespace {

// The terms of a formula by kind. Numbers, and dice that always show 1, add
// up to a shift; dice of one number of faces are one sum, wherever they are;
// a keep-best term that keeps every die is such dice, and alike keep-best
// terms are one, met so many times.
class Gather {
public:
    void number(std::int32_t value) { shift += value; }

    std::int32_t dice(std::int16_t count, std::int16_t faces) {
        add_dice(count, faces);
        return 0;
    }

    std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls) {
        if (keep == rolls || faces <= 1) {
            add_dice(keep, faces);
        } else {
            ++keep_best_terms[{keep, faces, rolls}];
        }
        return 0;
    }

    std::int64_t shift = 0;
    std::map<int, std::int64_t> dice_counts;                           // faces, dice
    std::map<std::tuple<int, int, int>, std::int64_t> keep_best_terms; // keep, faces, rolls; copies

private:
    void add_dice(std::int64_t count, int faces) {
        if (faces <= 1) {
            shift += count;
        } else {
            dice_counts[faces] += count;
        }
    }
};

// One part of the total worked out on its own: the dice of one number of
// faces, or the copies of one keep-best term.
struct Part {
    int keep; // 0 for dice
    int faces;
    int rolls;
    std::int64_t count;  // dice, or copies of the keep-best term
    std::int64_t totals; // at most
    WorkCost cost;
};

// The parts are worked out one after the other, then summed two at a time,
// the two with the fewest totals first, which costs the fewest products.
struct Plan {
    std::int64_t shift = 0;
    std::vector<Part> parts;
    std::vector<std::pair<std::size_t, std::size_t>> sums; // each one a new part, after the others
    WorkCost cost;
};

Plan plan_of(const Gather& terms) {
    Plan plan{terms.shift, {}, {}, {}};
    for (const auto& [faces, count] : terms.dice_counts) {
        plan.parts.push_back(
            {0, faces, 0, count, count * (faces - 1) + 1, dice_sum_cost(count, faces)});
    }
    for (const auto& [term, copies] : terms.keep_best_terms) {
        const auto [keep, faces, rolls] = term;
        const std::int64_t one = std::int64_t{keep} * (faces - 1) + 1;
        const WorkCost single = keep_best_sum_cost(keep, faces, rolls);
        const WorkCost more = copies_cost(one, copies);
        plan.parts.push_back({keep,
                              faces,
                              rolls,
                              copies,
                              copies * (one - 1) + 1,
                              {single.ns + more.ns, std::max(single.bytes, more.bytes)}});
    }
    std::int64_t held = 0;
    auto spend = [&](const WorkCost& cost, std::int64_t kept_totals) {
        plan.cost.ns += cost.ns;
        plan.cost.bytes = std::max(plan.cost.bytes, held + cost.bytes);
        held += bytes_of_totals(kept_totals);
    };
    using Waiting = std::pair<std::int64_t, std::size_t>; // totals, part
    std::priority_queue<Waiting, std::vector<Waiting>, std::greater<>> waiting;
    for (std::size_t i = 0; i < plan.parts.size(); ++i) {
        spend(plan.parts[i].cost, plan.parts[i].totals);
        waiting.push({plan.parts[i].totals, i});
    }
    while (waiting.size() > 1) {
        const Waiting a = waiting.top();
        waiting.pop();
        const Waiting b = waiting.top();
        waiting.pop();
        const std::int64_t totals = a.first + b.first - 1;
        spend(sum_cost(a.first, b.first), totals);
        held -= bytes_of_totals(a.first) + bytes_of_totals(b.first);
        plan.sums.emplace_back(a.second, b.second);
        waiting.push({totals, plan.parts.size() + plan.sums.size() - 1});
    }
    return plan;
}

Distribution work_out(const Part& part, WorkMeter& meter) {
    if (part.keep == 0) {
        return dice_sum(part.count, part.faces, meter);
    }
    return copies_of(settled(part.keep, keep_best_sum(part.keep, part.faces, part.rolls, meter)),
                     part.count, meter);
}

FormulaDistribution stopped(const WorkMeter& meter) {
    FormulaDistribution result;
    result.outcome = meter.stop() == WorkMeter::Stop::cancelled
                         ? FormulaDistribution::Outcome::cancelled
                         : FormulaDistribution::Outcome::over_budget;
    return result;
}

} // namespace

FormulaDistribution formula_distribution(const QString& formula, DistributionProgress& progress,
                                         const DistributionBudget& budget) {
    EvaluatorState state;
    Gather terms;
    FormulaScan scan(state, terms);
    scan.run(formula);
    FormulaDistribution result;
    if (state.err_flag) {
        result.outcome = FormulaDistribution::Outcome::formula_error;
        result.error = scan.error();
        result.bad_char = result.error == FormulaError::bad_char ? scan.offending() : 0;
        result.misplaced_slash = scan.misplaced_slash();
        return result;
    }

    const Plan plan = plan_of(terms);
    const double time_ns = std::chrono::nanoseconds(budget.time).count();
    if (plan.cost.ns > time_ns || plan.cost.bytes > std::int64_t(budget.bytes)) {
        result.outcome = FormulaDistribution::Outcome::over_budget;
        return result;
    }
    WorkMeter meter(progress, plan.cost.ns, budget.time);
    std::vector<Distribution> parts;
    for (const Part& part : plan.parts) {
        parts.push_back(work_out(part, meter));
        if (meter.stop() != WorkMeter::Stop::none) {
            return stopped(meter);
        }
    }
    for (const auto& [a, b] : plan.sums) {
        parts.push_back(sum_of(parts[a], parts[b], meter));
        if (meter.stop() != WorkMeter::Stop::none) {
            return stopped(meter);
        }
        parts[a] = {};
        parts[b] = {};
    }
    result.distribution = parts.empty() ? Distribution{0, {1.0}} : std::move(parts.back());
    result.distribution.min += plan.shift;
    progress.set_fraction_done(1.0);
    return result;
}
