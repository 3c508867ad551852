#pragma once

#include "engine/evaluator.h"

#include <QString>

// The odds of the formula asked for last, kept for when the same formula is
// rolled again: those of a long formula can take most of a frame to work out.
class OddsCache {
public:
    // `formula` must give a total.
    const FormulaOdds& of(const QString& formula) {
        if (formula != last_formula) {
            last_odds = formula_odds(formula);
            last_formula = formula;
        }
        return last_odds;
    }

private:
    QString last_formula; // empty, which gives no total, until a formula is asked for
    FormulaOdds last_odds;
};
