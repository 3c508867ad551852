#pragma once

#include "engine/formula_distribution.h"
#include "total_odds.h"

#include <QString>
#include <cstdint>

// The French words of the window "Probabilités": what is read off a
// distribution, and what stands in for one.

// "12", or "10 à 19" for a range of totals.
QString totals_text(std::int64_t first, std::int64_t last);

// "min 3, max 18, moyenne 10,50, médiane 10, les plus probables 10 et 11 (12,50 % chacun)".
QString summary_text(const TotalOdds& odds);

// What a bar of the chart says: "12 : 11,57 % · au moins 12 : 52,30 %", with
// the compared distribution's figures in brackets when there is one. `link`
// joins the two halves: " · " to be read, ", " to be heard.
QString bar_text(std::int64_t first, std::int64_t last, const TotalOdds& main,
                 const TotalOdds* compared, const QString& link);

// "au moins 15 : 9,26 %", and "(B : 30,00 %)" after it when comparing.
QString at_least_text(std::int64_t target, const TotalOdds& main, const TotalOdds* compared);

// "P(A > B) = 41,23 % · P(A = B) = 8,10 % · P(A < B) = 50,67 %".
QString comparison_text(const Comparison& comparison);
// The same in words for a screen reader, which reads ">" poorly.
QString spoken_comparison(const Comparison& comparison);

// How lucky a roll of `total` was: "15 : atteint ou dépassé dans 9,26 % des jets".
QString lucky_text(std::int64_t total, const TotalOdds& odds);

// What the result box shows for the same formula when it has no distribution:
// its own message ("?", "???", "??? : x"), or why there is none. Empty for a
// misplaced "/" alone, which leaves the result box as it was.
QString no_distribution_text(const FormulaDistribution& result);
// The same, with the error in words after it for a screen reader.
QString spoken_no_distribution(const FormulaDistribution& result);
