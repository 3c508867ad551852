#include "evaluator.h"
#include "formula_scan.h"
#include "keep_best_means.h"

namespace {

// Adds up the range and mean of each term instead of throwing it.
class Odds {
public:
    void number(std::int32_t value) {
        odds_.min += value;
        odds_.max += value;
        add_mean(value);
    }

    std::int32_t dice(std::int16_t count, std::int16_t faces) {
        const int top = std::max<int>(faces, 1); // a die of 0 faces shows 1
        odds_.min += count;
        odds_.max += std::int64_t{count} * top;
        add_mean(count * (top + 1) / 2.0);
        return 0;
    }

    std::int32_t keep_best(std::int16_t keep, std::int16_t faces, std::int16_t rolls) {
        odds_.min += keep;
        odds_.max += std::int64_t{keep} * std::max<int>(faces, 1);
        if (odds_.mean) {
            if (const std::optional<double> mean = means_.mean(keep, faces, rolls)) {
                add_mean(*mean);
            } else {
                odds_.mean.reset(); // and no further term is worked out
            }
        }
        return 0;
    }

    const FormulaOdds& odds() const { return odds_; }

private:
    void add_mean(double mean) {
        if (odds_.mean) {
            *odds_.mean += mean;
        }
    }

    FormulaOdds odds_{0, 0, 0.0};
    KeepBestMeans means_;
};

} // namespace

FormulaOdds formula_odds(const QString& input) {
    EvaluatorState state;
    Odds terms;
    FormulaScan scan(state, terms);
    scan.run(input);
    if (state.err_flag) {
        return {};
    }
    return terms.odds();
}
